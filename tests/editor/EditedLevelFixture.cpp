#include "EditedLevelFixture.h"

#include "app/EditorHooks.h"
#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/IEdUiElement.h"
#include "game/levels/SavedDataBhv.h"
#include "input/MessagePump.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/SceneRoots.h"
#include "program/EditorHooks.h"

namespace {

// A drawn start loads the game as the program does, editor included.
void AddTheEditor() {
    if (gRootObject->FindChild("EdRoot") == nullptr) {
        gRootObject->AddChild(new GameObject("EdRoot"));
    }
}

}  // namespace

void EditedLevelFixture::MakeProgram(bool drawing) {
    // The editor comes with the program only when its hooks are in.
    InstallEditorHooks();
    // One program at a time: the last one's globals go before the next one's come.
    mPlay.reset();
    mPlay = std::make_unique<PlayHarness>();
    for (const auto& [name, text] : PrefabsToWrite) {
        mPlay->WritePrefab(name, text);
    }
    if (drawing) {
        mPlay->EnableDrawing();
    }
}

void EditedLevelFixture::StartPlaying(bool drawing) {
    MakeProgram(drawing);
    mPlay->StartInLevel();
    AddTheEditor();
}

void EditedLevelFixture::StartOnTheMap(bool drawing) {
    MakeProgram(drawing);
    mPlay->StartGame();
    AddTheEditor();
    mPlay->RunSeconds(1.5f);
}

void EditedLevelFixture::StartEditing(bool drawing) {
    StartPlaying(drawing);
    // The level loads and the camera settles after its turn-in.
    mPlay->RunSeconds(1.5f);
    Press(Key::F1);
    Press(Key::F2);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
}

void EditedLevelFixture::TearDown() {
    mPlay.reset();
    gEditorHooks = {};
    // A quit a test posted must not end the next one's loop.
    TakePostedQuit();
}

EdLevelEditorBhv* EditedLevelFixture::Editor() {
    return gEditorState != nullptr ? gEditorState->LevelEditor : nullptr;
}

void EditedLevelFixture::Press(Key key, std::initializer_list<Key> modifiers) {
    mPlay->HeldKeys = modifiers;
    mPlay->Tap(key);
    mPlay->RunPass();
    mPlay->RunPass();
    mPlay->HeldKeys.clear();
}

void EditedLevelFixture::Strike(Key key, std::initializer_list<Key> modifiers) {
    for (Key modifier : modifiers) {
        mPlay->PumpKeys.push_back({modifier, true});
    }
    mPlay->TapInOnePump({key});
    for (Key modifier : modifiers) {
        mPlay->PumpKeys.push_back({modifier, false});
    }
    mPlay->RunPasses(2);
}

void EditedLevelFixture::MouseOn(const IEdUiElement& element) {
    const Vector2 origin = ScreenToLayer(DrawLayer::Editor, Vector2());
    const Vector2 unit = ScreenToLayer(DrawLayer::Editor, Vector2(1.0f, 1.0f)) - origin;
    const ::Rect& r = element.Rect;
    mPlay->Mouse = Vector2((r.X + r.Width / 2.0f - origin.X) / unit.X, (r.Y + r.Height / 2.0f - origin.Y) / unit.Y);
}

void EditedLevelFixture::ClickOn(const IEdUiElement& element) {
    MouseOn(element);
    mPlay->RunPass();
    Press(Key::LeftMouse);
}

EdPropertyRowBhv& EditedLevelFixture::InspectorRow(const std::string& component, const std::string& label) {
    EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
    for (inspector.ScrollOffset = 0; inspector.ScrollOffset < 100; ++inspector.ScrollOffset) {
        mPlay->RunPass();
        bool inComponent = false;
        for (EdPropertyRowBhv* row : inspector.Rows) {
            if (!row->Label.empty() && row->Label[0] != ' ') {
                inComponent = row->Label == component + ":";
            } else if (inComponent && row->Label == label) {
                return *row;
            }
        }
    }
    ADD_FAILURE() << "no row " << component << label;
    return *inspector.Rows.front();
}

EdFieldBhv& EditedLevelFixture::InspectorField(const std::string& component, const std::string& label) {
    return *InspectorRow(component, label).ValueField;
}
