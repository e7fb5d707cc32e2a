// The level editor in the running program: the first level loaded by the real
// gameplay screen, the editor root beside the game, edit mode entered with F1, and
// every edit made with the keys and the mouse through the main loop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <utility>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "Autopilot.h"
#include "EditedLevelFixture.h"
#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "app/Application.h"
#include "editor/EditorState.h"
#include "editor/UnsavedWork.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "game/enemies/EnemyCmp.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "game/screens/ScreenCameras.h"
#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "physics/B2FixtureCmp.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace fs = std::filesystem;
namespace pt = boost::property_tree;

namespace {

using Tool = EdLevelEditorBhv::Tool;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Keys as one pump gives them to the window's path.
using Pump = std::vector<PlayHarness::PumpKey>;

// Each key down and up again.
Pump Tapped(std::initializer_list<Key> keys) {
    Pump pump;
    for (Key key : keys) {
        pump.push_back({key, true});
        pump.push_back({key, false});
    }
    return pump;
}

Pump operator+(Pump first, const Pump& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The chord as a quick hand strikes it: the modifier down, the key down and up, the
// modifier up.
Pump Chord(Key modifier, Key key) {
    return Pump{{modifier, true}} + Tapped({key}) + Pump{{modifier, false}};
}

// A property part of a named thing as the level file holds it.
std::string ValueInFile(const fs::path& file, const std::string& thing, const std::string& path) {
    pt::ptree tree;
    pt::read_json(file.string(), tree);
    for (const auto& [key, entry] : tree.get_child("AutoCreate")) {
        if (entry.get<std::string>("Name", "") == thing) {
            return entry.get<std::string>("InstanceProperties." + path, "(none)");
        }
    }
    return "(no " + thing + ")";
}

class LevelEditorTest : public EditedLevelFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartEditing(mDrawn));
        // F2 left the mutable things to the editor.
        ASSERT_EQ(gEditorState->KeepPlayState, 0);
    }

    GameObject* Level() const { return mPlay->Find("GameplayScreen/Level"); }

    // The mouse over a point of a layer: a world point, with the world camera as it
    // stands, or an editor point.
    void MouseAt(Vector2 point, DrawLayer layer = DrawLayer::Foreground) {
        const Vector2 origin = ScreenToLayer(layer, Vector2());
        const Vector2 unit = ScreenToLayer(layer, Vector2(1.0f, 1.0f)) - origin;
        Play().Mouse = Vector2((point.X - origin.X) / unit.X, (point.Y - origin.Y) / unit.Y);
    }

    void ClickAt(Vector2 world, Key button, std::initializer_list<Key> modifiers = {}) {
        MouseAt(world);
        mPlay->RunPass();
        Press(button, modifiers);
    }

    std::vector<GameObject*> Things(const std::string& prefabName) const {
        std::vector<GameObject*> found;
        for (GameObject* group : Level()->Children) {
            for (GameObject* thing : group->Children) {
                if (thing->PrefabName == prefabName && !thing->PendingDestroy) {
                    found.push_back(thing);
                }
            }
        }
        return found;
    }

    GameObject* Player() const { return Things("Player").front(); }

    // As the gameplay screen loads a level, without its title card and music.
    void LoadForEditing(const std::string& name) {
        gCurrentLevelName = name;
        gGameplayScreen->RemoveLevelObject(false);
        gGameplayScreen->BuildLevelObject(gPrefabManager->FindPrefab(name));
        Editor()->ResetHistory();
        mPlay->RunPass();
    }

    fs::path LevelFile(const std::string& name) const { return mPlay->Content->Path() / "Prefabs" / (name + ".json"); }

    static GameObject* EditorObject(std::initializer_list<const char*> path) {
        GameObject* object = gRootObject->FindChild("EdRoot");
        for (const char* name : path) {
            object = object != nullptr ? object->FindChild(name) : nullptr;
        }
        return object;
    }

    static std::string StatusText() { return gEditorState->MainPalette->GetNotice(); }

    // Each pump's keys through the window's path, a pass each, then a pass to settle.
    void Pumps(const std::vector<Pump>& pumps) {
        for (const Pump& pump : pumps) {
            mPlay->PumpKeys = pump;
            mPlay->RunPass();
        }
        mPlay->RunPass();
    }

    // The pistol of the first level in the inspector, the mouse on its ammunition field.
    const EdFieldBhv& PointAtThePistolsAmmunition() {
        Press(Key::Tab);
        gEditorState->SelectObject(Things("Pkup_Pistol").front());
        const EdFieldBhv& field = InspectorField("Pkup_WeaponBhv", "  AmmoCount");
        MouseAt(Vector2(field.Rect.X + field.Rect.Width / 2.0f, field.Rect.Y + field.Rect.Height / 2.0f),
                DrawLayer::Editor);
        mPlay->RunPass();
        return field;
    }

    std::string AmmunitionInFile() const {
        return ValueInFile(LevelFile("Lvl_01"), "PistolPickup", "Pkup_WeaponBhv.AmmoCount");
    }

    // As a user does it: right click clears the field and takes the keyboard, the text
    // is typed, Enter commits.
    void EnterInField(const EdFieldBhv& field, const std::string& text) {
        MouseAt(Vector2(field.Rect.X + field.Rect.Width / 2.0f, field.Rect.Y + field.Rect.Height / 2.0f),
                DrawLayer::Editor);
        mPlay->RunPass();
        Press(Key::RightMouse);
        ASSERT_EQ(field.HasFocus, 1);
        Type(text);
        Press(Key::OemEnter);
    }

    // The text typed in one pass, into the field that has the keyboard.
    void Type(const std::string& text) {
        mPlay->TypeInOnePump(text);
        mPlay->RunPass();
    }

    // In the open prefab picker, as a user does it: the name typed into its filter, Down
    // to the row that shows it, Enter.
    void PickPrefab(const std::string& name) {
        const EdDlgPrefabPickerBhv& picker = *gEditorState->PrefabPicker;
        ASSERT_TRUE(picker.Dialog->IsOpen());
        Type(name);
        for (size_t row = 0; row < picker.Items.size() && picker.Items[picker.SelectedRow]->Label != name; ++row) {
            Press(Key::Down);
        }
        ASSERT_EQ(picker.Items[picker.SelectedRow]->Label, name);
        Press(Key::OemEnter);
        ASSERT_FALSE(picker.Dialog->IsOpen());
    }

    // A click on the label row of the inspected object's component, scrolled into view.
    void ClickInspectorComponent(const std::string& component) {
        EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
        for (inspector.ScrollOffset = 0; inspector.ScrollOffset < 100; ++inspector.ScrollOffset) {
            mPlay->RunPass();
            for (const EdPropertyRowBhv* row : inspector.Rows) {
                if (row->Label == component + ":") {
                    const ::Rect& label = row->LabelItem->Rect;
                    MouseAt(Vector2(label.X + label.Width / 2.0f, label.Y + label.Height / 2.0f), DrawLayer::Editor);
                    mPlay->RunPass();
                    Press(Key::LeftMouse);
                    return;
                }
            }
        }
        ADD_FAILURE() << "no row " << component;
    }

    // Ctrl+E on the selected thing's fixture, its handle at (1, 0) dragged a unit out, Enter.
    void DragTheShapesHandleOut() {
        ClickInspectorComponent("B2FixtureCmp");
        Press(Key::E, {Key::Ctrl});
        ASSERT_TRUE(gEditorState->ShapeEditor->IsEditing());
        const Vector2 handle = gEditorState->ShapeEditor->ToWorld(Vector2(1.0f, 0.0f));
        MouseAt(handle);
        mPlay->RunPass();
        mPlay->HeldKeys = {Key::LeftMouse};
        mPlay->RunPass();
        MouseAt(handle + Vector2(1.0f, 0.0f));
        mPlay->RunPass();
        mPlay->HeldKeys.clear();
        mPlay->RunPass();
        Press(Key::OemEnter);
        ASSERT_FALSE(gEditorState->ShapeEditor->IsEditing());
    }

    bool mDrawn = false;
};

// The same, drawn, for what a frame shows.
class LevelEditorOnScreenTest : public LevelEditorTest {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        mDrawn = true;
        LevelEditorTest::SetUp();
    }
};

// The positions of a prefab's things in a level file, in file order.
std::vector<Vector2> PositionsInFile(const fs::path& file, const std::string& prefabName) {
    pt::ptree tree;
    pt::read_json(file.string(), tree);
    std::vector<Vector2> found;
    for (const auto& [key, entry] : tree.get_child("AutoCreate")) {
        if (entry.get<std::string>("Prefab") != prefabName) {
            continue;
        }
        const auto& body = entry.get_child("InstanceProperties.B2BodyCmp.Pos");
        found.emplace_back(body.get<float>("X"), body.get<float>("Y"));
    }
    return found;
}

void ExpectNear(Vector2 a, Vector2 b) {
    EXPECT_NEAR(a.X, b.X, 1e-3f);
    EXPECT_NEAR(a.Y, b.Y, 1e-3f);
}

TEST_F(LevelEditorTest, UndoAndRedoWalkTheHistoryAndANewEditDropsTheUndoneSteps) {
    EdLevelEditorBhv& editor = *Editor();
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_EQ(editor.Dirty, 0);
    const Vector2 start = Player()->GetPos();
    ClickAt(start, Key::RightMouse);
    ASSERT_EQ(editor.Selection, std::vector<GameObject*>{Player()});

    // Two nudges: three entries with the loaded level's.
    Press(Key::Right);
    Press(Key::Right, {Key::Shift});
    EXPECT_EQ(editor.GetHistorySize(), 3);
    EXPECT_EQ(editor.GetHistoryIndex(), 2);
    EXPECT_EQ(editor.Dirty, 1);
    const Vector2 nudged = Player()->GetPos();
    EXPECT_GT(nudged.X, start.X);
    EXPECT_FLOAT_EQ(nudged.Y, start.Y);

    Press(Key::Z, {Key::Ctrl, Key::Alt});
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(editor.GetHistoryIndex(), 0);
    ExpectNear(Player()->GetPos(), start);
    EXPECT_TRUE(editor.Selection.empty());
    // Nothing before the first entry.
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(editor.GetHistoryIndex(), 0);
    // Redo comes back to the latest step.
    Press(Key::Z, {Key::Ctrl, Key::Shift});
    EXPECT_EQ(editor.GetHistoryIndex(), 1);
    Press(Key::Z, {Key::Ctrl, Key::Alt});

    // A new edit drops the two undone entries.
    ClickAt(start, Key::RightMouse);
    Press(Key::Up);
    EXPECT_EQ(editor.GetHistorySize(), 2);
    EXPECT_EQ(editor.GetHistoryIndex(), 1);
    EXPECT_GT(Player()->GetPos().Y, start.Y);
    // Nothing after the last entry.
    Press(Key::Z, {Key::Ctrl, Key::Shift});
    EXPECT_EQ(editor.GetHistoryIndex(), 1);

    // A level load starts the history afresh.
    gGameplayScreen->ReloadLevel();
    Play().RunPass();
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_EQ(editor.GetHistoryIndex(), 0);
    EXPECT_EQ(editor.Dirty, 0);
}

// On a busy machine a quick Shift+arrow or Ctrl+Alt+Z can go down and up within one
// pump; its key counts as typed a pass later, when the modifiers are up already. Each
// chord keeps the modifiers it was struck with.
TEST_F(LevelEditorTest, AChordLetGoWithinOnePumpKeepsItsModifiers) {
    EdLevelEditorBhv& editor = *Editor();
    const auto chord = [this](const std::vector<Key>& modifiers, Key key) {
        for (Key modifier : modifiers) {
            Play().PumpKeys.push_back({modifier, true});
        }
        Play().TapInOnePump({key});
        for (Key modifier : modifiers) {
            Play().PumpKeys.push_back({modifier, false});
        }
        Play().RunPasses(3);
    };
    const Vector2 start = Player()->GetPos();
    ClickAt(start, Key::RightMouse);
    chord({}, Key::Right);
    const float pixel = Player()->GetPos().X - start.X;
    ASSERT_GT(pixel, 0.0f);
    chord({Key::Shift}, Key::Right);
    EXPECT_NEAR(Player()->GetPos().X - start.X, 11.0f * pixel, 1e-4f);
    ASSERT_EQ(editor.GetHistoryIndex(), 2);

    chord({Key::Ctrl, Key::Alt}, Key::Z);
    EXPECT_EQ(editor.GetHistoryIndex(), 1);
    EXPECT_NEAR(Player()->GetPos().X - start.X, pixel, 1e-4f);
    chord({Key::Ctrl, Key::Shift}, Key::Z);
    EXPECT_EQ(editor.GetHistoryIndex(), 2);
    EXPECT_NEAR(Player()->GetPos().X - start.X, 11.0f * pixel, 1e-4f);

    // Ctrl+] steps no source.
    const std::string shown = gEditorState->SelectedName;
    chord({Key::Ctrl}, Key::RightBracket);
    EXPECT_EQ(gEditorState->SelectedName, shown);
}

// A tool chord struck quickly engages its tool: let go within one pump, or with its Ctrl
// gone down a pass before the key and let go with it. Each is read with the Ctrl it was
// struck with, not the Ctrl still held when its pass comes.
TEST_F(LevelEditorTest, QuickToolChordsEngageTheirTools) {
    Press(Key::Tab);
    GameObject* pistol = Things("Pkup_Pistol").front();
    gEditorState->SelectObject(pistol);
    const EdCameraMoverBhv& camera = *EditorObject({"EdCameraMover"})->GetComponent<EdCameraMoverBhv>();
    for (const bool ctrlFirst : {false, true}) {
        const char* how = ctrlFirst ? "Ctrl a pass before the key" : "in one pump";
        const auto strike = [this, ctrlFirst](Key key) {
            if (ctrlFirst) {
                Pumps({{{Key::Ctrl, true}}, Tapped({key}) + Pump{{Key::Ctrl, false}}});
            } else {
                Pumps({Chord(Key::Ctrl, key)});
            }
        };
        ClickInspectorComponent("B2FixtureCmp");
        strike(Key::E);
        EXPECT_TRUE(gEditorState->ShapeEditor->IsEditing()) << how;
        Press(Key::Esc);

        ClickInspectorComponent("SpriteCmp");
        pistol->Sprite->Origin = Vector2();
        strike(Key::L);
        ExpectNear(pistol->Sprite->Origin, pistol->Sprite->Size * -0.5f);

        strike(Key::G);
        EXPECT_TRUE(gEditorState->SpriteMover->IsEngaged()) << how;
        Press(Key::Esc);
        strike(Key::Q);
        EXPECT_TRUE(gEditorState->SpritePicker->IsEngaged()) << how;
        Press(Key::Esc);
        strike(Key::F);
        EXPECT_TRUE(camera.IsEngaged()) << how;
        Press(Key::Esc);
        EXPECT_EQ(gEditorState->ToolEngaged, 0) << how;
    }

    // The key that ends one tool and the chord of the next, struck in one pump: the tool
    // ends first, so the chord finds the keyboard free.
    ClickInspectorComponent("B2FixtureCmp");
    Pumps({Chord(Key::Ctrl, Key::E)});
    ASSERT_TRUE(gEditorState->ShapeEditor->IsEditing());
    Pumps({Tapped({Key::Esc}) + Chord(Key::Ctrl, Key::G)});
    EXPECT_FALSE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_TRUE(gEditorState->SpriteMover->IsEngaged()) << "Ctrl+G after the shape editor's Esc";
    // The inspector's chord: the palettes faded behind the tool take keys again at once.
    Pumps({Tapped({Key::OemEnter}) + Chord(Key::Ctrl, Key::E)});
    EXPECT_FALSE(gEditorState->SpriteMover->IsEngaged());
    EXPECT_TRUE(gEditorState->ShapeEditor->IsEditing()) << "Ctrl+E after the mover's Enter";
    Pumps({Tapped({Key::OemEnter}) + Chord(Key::Ctrl, Key::Q)});
    EXPECT_FALSE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_TRUE(gEditorState->SpritePicker->IsEngaged()) << "Ctrl+Q after the shape editor's Enter";
    Pumps({Tapped({Key::Esc}) + Chord(Key::Ctrl, Key::F)});
    EXPECT_FALSE(gEditorState->SpritePicker->IsEngaged());
    EXPECT_TRUE(camera.IsEngaged()) << "Ctrl+F after the picker's Esc";
    Pumps({Tapped({Key::Esc}) + Chord(Key::Ctrl, Key::E)});
    EXPECT_FALSE(camera.IsEngaged());
    EXPECT_TRUE(gEditorState->ShapeEditor->IsEditing()) << "Ctrl+E after the camera's Esc";
    // ... and a chord struck before the end is not taken while the tool still runs.
    Pumps({Chord(Key::Ctrl, Key::G) + Tapped({Key::OemEnter})});
    EXPECT_FALSE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_FALSE(gEditorState->SpriteMover->IsEngaged()) << "Ctrl+G struck inside the shape editor";
    EXPECT_EQ(gEditorState->ToolEngaged, 0);
}

TEST_F(LevelEditorTest, NudgesSelectAllReorderingAndSourceCycling) {
    EdLevelEditorBhv& editor = *Editor();
    size_t thingCount = 0;
    for (const GameObject* group : Level()->Children) {
        thingCount += group->Children.size();
    }
    Press(Key::A);
    ASSERT_EQ(editor.Selection.size(), thingCount);
    std::vector<Vector2> before;
    for (const GameObject* thing : editor.Selection) {
        before.push_back(thing->GetPos());
    }

    // Left and Right struck in one pass each nudge once: every thing ends where it was,
    // two undo steps later.
    Press(Key::Left, {Key::Right});
    EXPECT_EQ(editor.GetHistorySize(), 3);
    for (size_t i = 0; i < editor.Selection.size(); ++i) {
        ExpectNear(editor.Selection[i]->GetPos(), before[i]);
    }
    // One nudge of every thing is one undo step.
    Press(Key::Down);
    EXPECT_EQ(editor.GetHistorySize(), 4);
    for (size_t i = 0; i < editor.Selection.size(); ++i) {
        EXPECT_LT(editor.Selection[i]->GetPos().Y, before[i].Y) << editor.Selection[i]->Name;
    }
    Press(Key::A);
    EXPECT_TRUE(editor.Selection.empty());

    // F draws the selection over its group, Shift+F under it.
    GameObject* player = Player();
    ClickAt(player->GetPos(), Key::RightMouse);
    Press(Key::F, {Key::Shift});
    EXPECT_EQ(player->Parent->Children.front(), player);
    Press(Key::F);
    EXPECT_EQ(player->Parent->Children.back(), player);
    EXPECT_EQ(editor.GetHistorySize(), 6);

    // The source keys wrap at both ends of "Lvl_Sources".
    const auto& sources = gPrefabManager->FindPrefab("Lvl_Sources")->AutoCreates;
    gEditorState->SelectedName = sources.back()->Prefab;
    Press(Key::RightBracket);
    EXPECT_EQ(gEditorState->SelectedName, sources.front()->Prefab);
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab(sources.front()->Prefab));
    Press(Key::LeftBracket);
    EXPECT_EQ(gEditorState->SelectedName, sources.back()->Prefab);
    EXPECT_EQ(gEditorState->SelectedPrefab, gPrefabManager->FindPrefab(sources.back()->Prefab));
}

// Taps of an arrow faster than the game draws: each nudges once, however many one pass
// takes, and the save writes them all. A held arrow steps as it repeats, a held pair
// diagonally, one undo step a repeat.
TEST_F(LevelEditorTest, EachTapOfAnArrowNudgesOnceHoweverManyOnePassTakes) {
    EdLevelEditorBhv& editor = *Editor();
    GameObject* player = Player();
    const Vector2 start = player->GetPos();
    ClickAt(start, Key::RightMouse);
    Pumps({Tapped({Key::Right})});
    const float pixel = player->GetPos().X - start.X;
    ASSERT_GT(pixel, 0.0f);
    Pumps({Tapped({Key::Right, Key::Right, Key::Right, Key::Right}), Tapped({Key::Right, Key::Right}),
           Tapped({Key::Right})});
    Pumps({Tapped({Key::Right}), Tapped({Key::Right})});
    EXPECT_NEAR(player->GetPos().X - start.X, 10.0f * pixel, 1e-4f);
    EXPECT_EQ(editor.GetHistorySize(), 11);
    Pumps({Chord(Key::Alt, Key::S)});
    const std::vector<Vector2> saved = PositionsInFile(LevelFile("Lvl_01"), "Player");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_NEAR(saved.front().X - start.X, 10.0f * pixel, 1e-4f);

    const Vector2 held = player->GetPos();
    Play().PumpKeys = Pump{{Key::Right, true}, {Key::Down, true}};
    Play().RunSeconds(1.0f);
    Play().PumpKeys = Pump{{Key::Right, false}, {Key::Down, false}};
    Play().RunPass();
    const Vector2 moved = (player->GetPos() - held) / pixel;
    EXPECT_GT(moved.X, 2.5f);
    EXPECT_NEAR(moved.X, -moved.Y, 1e-3f);
    EXPECT_EQ(editor.GetHistorySize(), 11 + 1 + static_cast<int>(std::lround(moved.X)));
}

// On a busy machine the key that answers "Save changes?" and the chord struck after it
// reach one pass, with the PageUp that asked or a pass after it. The answer is dealt in
// its place among the pass's keys: the chord after it finds the box gone and the
// keyboard free, so Alt+S saves and Ctrl+E edits the shape.
TEST_F(LevelEditorTest, AChordStruckRightAfterTheSaveQuestionIsAnsweredActs) {
    EdLevelEditorBhv& editor = *Editor();
    GameObject* pistol = Things("Pkup_Pistol").front();
    ClickAt(pistol->GetPos(), Key::RightMouse);
    Press(Key::Tab);
    const EdDialogBhv& box = *EditorObject({"EdDialogsRoot", "EdDlgMessageBox"})->GetComponent<EdDialogBhv>();
    const Pump ask = Tapped({Key::PageUp});
    const Pump save = Chord(Key::Alt, Key::S);
    const Pump editShape = Chord(Key::Ctrl, Key::E);
    const struct {
        const char* Route;
        std::vector<Pump> Pumps;
        bool Shape;
    } routes[] = {
        {"Esc and Alt+S in one pass", {ask, Tapped({Key::Esc}) + save}, false},
        {"PageUp, Esc and Alt+S in one pass", {ask + Tapped({Key::Esc}) + save}, false},
        {"Esc and Ctrl+E in one pass", {ask, Tapped({Key::Esc}) + editShape}, true},
        {"Enter and Ctrl+E in one pass", {ask, Tapped({Key::OemEnter}) + editShape}, true},
        {"n and Alt+S in one pass", {ask, Tapped({Key::N}) + save}, false},
    };
    for (const auto& route : routes) {
        ASSERT_EQ(editor.Selection, std::vector<GameObject*>{pistol}) << route.Route;
        Pumps({Tapped({Key::Up})});
        ASSERT_EQ(editor.Dirty, 1) << route.Route;
        gEditorState->SelectObject(pistol);
        ClickInspectorComponent("B2FixtureCmp");
        Pumps(route.Pumps);
        EXPECT_FALSE(box.IsOpen()) << route.Route;
        EXPECT_EQ(gCurrentLevelName, "Lvl_01") << route.Route;
        if (route.Shape) {
            EXPECT_TRUE(gEditorState->ShapeEditor->IsEditing()) << route.Route;
            Press(Key::Esc);
            Press(Key::S, {Key::Alt});
        }
        EXPECT_EQ(editor.Dirty, 0) << route.Route;
        ASSERT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol").size(), 1u);
        ExpectNear(PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol").front(), pistol->GetPos());
    }
}

TEST_F(LevelEditorTest, EscapeUndoesAMoveATurnAndADuplicateAndDeleteRemoves) {
    EdLevelEditorBhv& editor = *Editor();
    GameObject* player = Player();
    const Vector2 start = player->GetPos();
    ClickAt(start, Key::RightMouse);
    Press(Key::G);
    ASSERT_EQ(editor.GetToolMode(), Tool::Move);
    MouseAt(start + Vector2(4.0f, 2.0f));
    Play().RunPass();
    ExpectNear(player->GetPos(), start + Vector2(4.0f, 2.0f));
    Press(Key::Esc);
    EXPECT_EQ(editor.GetToolMode(), Tool::None);
    ExpectNear(player->GetPos(), start);
    EXPECT_EQ(editor.Selection, std::vector<GameObject*>{player});
    EXPECT_EQ(editor.GetHistorySize(), 1);

    Press(Key::D, {Key::Shift});
    ASSERT_EQ(Things("Player").size(), 2u);
    ASSERT_EQ(editor.Selection.size(), 1u);
    EXPECT_NE(editor.Selection.front(), player);
    EXPECT_EQ(editor.GetToolMode(), Tool::Move);
    MouseAt(start + Vector2(-3.0f, 0.0f));
    Play().RunPass();
    Press(Key::Esc);
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_EQ(Things("Player"), std::vector<GameObject*>{player});
    ExpectNear(player->GetPos(), start);
    EXPECT_EQ(editor.GetHistorySize(), 1);

    // A turn about the selection's centre, cancelled: the angle comes back too.
    ClickAt(start, Key::RightMouse);
    const float angle = player->GetRotation();
    MouseAt(start + Vector2(3.0f, 0.0f));
    Play().RunPass();
    Press(Key::R);
    ASSERT_EQ(editor.GetToolMode(), Tool::Rotate);
    MouseAt(start + Vector2(0.0f, 3.0f));
    Play().RunPass();
    EXPECT_NEAR(player->GetRotation(), angle + 1.5707964f, 1e-3f);
    Press(Key::Esc);
    EXPECT_NEAR(player->GetRotation(), angle, 1e-4f);
    ExpectNear(player->GetPos(), start);

    // Delete takes the selection out of the level in one undo step.
    Press(Key::X);
    EXPECT_TRUE(Things("Player").empty());
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_EQ(editor.GetHistorySize(), 2);
}

TEST_F(LevelEditorTest, ABoxAddsTheThingsWithACornerInsideIt) {
    EdLevelEditorBhv& editor = *Editor();
    const Vector2 player = Player()->GetPos();
    Press(Key::B);
    ASSERT_EQ(editor.GetToolMode(), Tool::BoxFirstCorner);
    MouseAt(player - Vector2(2.0f, 2.0f));
    Play().HeldKeys = {Key::LeftMouse};
    Play().RunPass();
    MouseAt(player + Vector2(2.0f, 2.0f));
    Play().RunPasses(2);
    EXPECT_EQ(editor.GetToolMode(), Tool::BoxDragging);
    // The rectangle shows in the first free indicator.
    const GameObject* frame =
        gRootObject->FindChild("EdRoot")->FindChild("EdLevelEditor")->FindChild("SelectionRoot")->Children.front();
    EXPECT_EQ(frame->DrawEnabled, 1);
    ExpectNear(frame->GetPos(), player);
    Play().HeldKeys.clear();
    Play().RunPass();
    EXPECT_EQ(editor.GetToolMode(), Tool::None);
    EXPECT_NE(std::find(editor.Selection.begin(), editor.Selection.end(), Player()), editor.Selection.end());
    for (const GameObject* thing : editor.Selection) {
        EXPECT_NE(thing->Thing, nullptr) << thing->Name;
        EXPECT_NE(thing->PrefabName, "En_Ant");
    }
}

TEST_F(LevelEditorTest, AThingThatPlayDestroysLeavesTheSelectionEvenInAMove) {
    EdLevelEditorBhv& editor = *Editor();
    Press(Key::A);
    std::vector<GameObject*> ants = Things("En_Ant");
    ASSERT_FALSE(ants.empty());
    const size_t selected = editor.Selection.size();
    std::map<const GameObject*, Vector2> start;
    for (const GameObject* thing : editor.Selection) {
        start[thing] = thing->GetPos();
    }
    MouseAt(Player()->GetPos());
    Play().RunPass();
    Press(Key::G);
    MouseAt(Player()->GetPos() + Vector2(2.0f, 1.0f));
    Play().RunPass();
    // Killed as a bullet kills it: its damage behaviour destroys it in the update walk.
    ants.front()->GetComponent<EnemyCmp>()->OnDamage(nullptr);
    Play().RunPasses(3);
    EXPECT_EQ(editor.Selection.size(), selected - 1);
    EXPECT_EQ(std::count(editor.Selection.begin(), editor.Selection.end(), ants.front()), 0);
    // Esc puts each of the rest back at its own place, not at a neighbour's.
    Press(Key::Esc);
    for (const GameObject* thing : editor.Selection) {
        ExpectNear(thing->GetPos(), start[thing]);
    }
    // The indicators follow the rest without touching the dead ant.
    Press(Key::Up);
    EXPECT_EQ(editor.GetHistorySize(), 2);
}

// A centipede has neither sprite nor icon: its segments pick it. A light or the
// background is picked by its icon only, so a click on open floor selects nothing. A
// copy keeps what the level stores for its original.
TEST_F(LevelEditorTest, SegmentsPickTheirCentipedeAndACopyKeepsItsLevelValues) {
    EdLevelEditorBhv& editor = *Editor();
    LoadForEditing("Lvl_Boss");
    GameObject* centipede = Things("En_Centipede").front();
    ASSERT_GE(centipede->Children.size(), 3u);
    ClickAt(centipede->Children[centipede->Children.size() / 2]->GetPos(), Key::RightMouse);
    EXPECT_EQ(editor.Selection, std::vector<GameObject*>{centipede});
    Play().Mouse = Vector2(420.0f, 600.0f);
    Play().RunPass();
    Press(Key::RightMouse);
    EXPECT_TRUE(editor.Selection.empty());

    // This pistol lies with 80 rounds; its prefab gives 20.
    GameObject* pistol = Things("Pkup_Pistol").front();
    ASSERT_EQ(pistol->GetComponent<Pkup_WeaponBhv>()->GetAmmoCount(), 80);
    ClickAt(pistol->GetPos(), Key::RightMouse);
    Press(Key::D, {Key::Shift});
    Press(Key::OemEnter);
    ASSERT_EQ(Things("Pkup_Pistol").size(), 2u);
    ASSERT_NE(editor.Selection.front(), pistol);
    EXPECT_EQ(editor.Selection.front()->GetComponent<Pkup_WeaponBhv>()->GetAmmoCount(), 80);
}

TEST_F(LevelEditorTest, SwitchingLevelsAsksToSaveOnlyUnsavedEdits) {
    EdLevelEditorBhv& editor = *Editor();
    const std::string level1 = ReadFile(LevelFile("Lvl_01"));
    const std::string level2 = ReadFile(LevelFile("Lvl_02"));
    GameObject* dialog = gRootObject->FindChild("EdRoot")->FindChild("EdDialogsRoot")->FindChild("EdDlgMessageBox");
    ASSERT_NE(dialog, nullptr);

    // Nothing unsaved: the next level at once.
    Press(Key::PageDown);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(dialog->DrawEnabled, 0);

    const auto nudgePlayer = [&] {
        ClickAt(Player()->GetPos(), Key::RightMouse);
        Press(Key::Left);
        ASSERT_EQ(editor.Dirty, 1);
    };
    nudgePlayer();
    // Esc answers "Cancel": the level, its history and the flag stay.
    Press(Key::PageUp);
    EXPECT_EQ(dialog->DrawEnabled, 1);
    Press(Key::Esc);
    EXPECT_EQ(dialog->DrawEnabled, 0);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(editor.GetHistorySize(), 2);
    EXPECT_EQ(editor.Dirty, 1);

    // "n" answers "No": switched, nothing written.
    Press(Key::PageUp);
    Press(Key::N);
    Play().RunPass();
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(ReadFile(LevelFile("Lvl_02")), level2);
    EXPECT_EQ(editor.Dirty, 0);

    // Enter answers "Yes": the level is written, then the switch.
    nudgePlayer();
    const Vector2 saved = Player()->GetPos();
    Press(Key::PageDown);
    Press(Key::OemEnter);
    Play().RunPass();
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_NE(ReadFile(LevelFile("Lvl_01")), level1);
    const std::vector<Vector2> players = PositionsInFile(LevelFile("Lvl_01"), "Player");
    ASSERT_EQ(players.size(), 1u);
    ExpectNear(players.front(), saved);
    EXPECT_EQ(editor.Dirty, 0);
}

// The game stands still in edit mode: a level switched to there is shown as it is, in
// the HUD too, with no title card frozen over it; in play the cards come as before.
TEST_F(LevelEditorTest, SwitchingLevelsInEditModeShowsTheLevelInTheHudWithNoTitleCardOverIt) {
    const auto titleCards = [] {
        std::vector<std::string> titles;
        for (const GameObject* child : gGameplayScreen->Owner->Children) {
            if (child->PrefabName == "UiLevelTitle" && !child->PendingDestroy) {
                titles.push_back(child->Text->Text);
            }
        }
        return titles;
    };
    const auto hudText = [](const char* name) {
        return gGameplayScreen->Owner->FindChild("Hud")->FindChild(name)->Text->Text;
    };
    gLevelList->FindLevel("Lvl_02")->ParTime = 12.5f;  // a par of the test's own, unlike the first level's
    // The first level's card, shown when play began, went with the entry into edit mode.
    ASSERT_EQ(titleCards(), std::vector<std::string>{});
    ASSERT_EQ(hudText("World"), "1");
    ASSERT_EQ(hudText("ParText"), "7.00");

    Press(Key::PageDown);
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(hudText("World"), "2");
    EXPECT_EQ(hudText("ParText"), "12.50");
    Play().RunSeconds(3.0f);
    EXPECT_EQ(titleCards(), std::vector<std::string>{});
    Press(Key::PageUp);
    EXPECT_EQ(titleCards(), std::vector<std::string>{});
    EXPECT_EQ(hudText("World"), "1");
    EXPECT_EQ(hudText("ParText"), "7.00");

    // Play-tested, the next level comes with its card; reloading it keeps that card.
    Press(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 0);
    Press(Key::PageDown);
    Play().RunSeconds(1.5f);
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(titleCards(), std::vector<std::string>{"2: Pistol Practice"});
    gGameplayScreen->ReloadLevel();
    Play().RunPass();
    EXPECT_EQ(titleCards(), std::vector<std::string>{"2: Pistol Practice"});
    Play().RunSeconds(3.0f);
    EXPECT_EQ(titleCards(), std::vector<std::string>{});
}

// A title card shown when play began is not left over the level in edit mode, however
// edit mode comes: F1 while the view turns in or while the card fades, F2 from play, or
// F11 with the game running on.
class TitleCardInEditModeTest : public EditedLevelFixture {};

TEST_F(TitleCardInEditModeTest, EditModeShowsNoTitleCardLeftFromPlay) {
    const auto cards = [] {
        int count = 0;
        for (const GameObject* child : gGameplayScreen->Owner->Children) {
            count += child->PrefabName == "UiLevelTitle" && child->PendingDestroy == 0 ? 1 : 0;
        }
        return count;
    };
    const struct {
        const char* Route;
        float At;
        Key Enters;
    } routes[] = {
        {"F1 while the view turns in", 0.3f, Key::F1},
        {"F1 while the card fades", 1.5f, Key::F1},
        {"F2 from play while the card fades", 1.5f, Key::F2},
        {"F11 while the view turns in", 0.3f, Key::F11},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.Route);
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        Play().RunSeconds(route.At);
        ASSERT_EQ(cards(), 1);
        Strike(route.Enters);
        ASSERT_EQ(gEditorState->IsEditing, 1);
        EXPECT_EQ(cards(), 0);
        Strike(Key::F2);
        Play().RunSeconds(3.0f);
        EXPECT_EQ(cards(), 0);
    }
}

// Nor is the view: F1 or F2 while it turns in from the map shows the level at rest, not
// small and askew for the whole edit, and the play-test that follows plays the level.
TEST_F(TitleCardInEditModeTest, EditModeShowsTheLevelAtRestWhateverTheViewWasTurningIn) {
    QV_REQUIRE_DISPLAY();
    for (const Key enters : {Key::F1, Key::F2}) {
        SCOPED_TRACE(enters == Key::F1 ? "F1" : "F2");
        ASSERT_NO_FATAL_FAILURE(StartOnTheMap(true));
        Strike(Key::Space);
        // The map zooms away, then the level's view turns in.
        for (int pass = 0; pass < 600 && Play().Find("GameplayScreen") == nullptr; ++pass) {
            Play().RunPass();
        }
        Play().RunSeconds(0.3f);
        const Camera2d& camera = gGraphics->WorldCamera;
        ASSERT_NE(camera.Rotation, 0.0f) << "the view is still turning in";
        Strike(enters);
        ASSERT_EQ(gEditorState->IsEditing, 1);
        Play().RunSeconds(1.0f);
        ExpectNear(camera.Scale, ScreenCameras::RestingWorldScale());
        EXPECT_FLOAT_EQ(camera.Rotation, 0.0f);

        Strike(Key::F1);
        ASSERT_EQ(gEditorState->IsEditing, 0);
        EXPECT_EQ(Play().Find("GameplayScreen/Level")->UpdateEnabled, 1) << "the level plays";
    }
}


// Edit mode entered at any pass of the change from the map to a level shows that level
// whole, with its HUD, as at any other time. Once play has been back to the map, the map
// is the gameplay root's last child, and the screen that takes its place first updates
// a pass later: F1 or F2 in that pass paused the screen before it loaded its level.
class ArrivalInEditModeTest : public EditedLevelFixture {
protected:
    void EnterEditModeAtEveryPassOfTheChange(Key enters);

private:
    // Out of edit mode, and from the level back to the map as the pause popup goes; the
    // map takes keys again.
    void BackToTheMap();
    void ExpectTheWholeFirstLevel();
};

void ArrivalInEditModeTest::BackToTheMap() {
    if (gEditorState->IsEditing != 0) {
        Strike(Key::F1);
    }
    ASSERT_NE(gGameplayScreen, nullptr);
    // The way out is not under test: it may be quick.
    SetProperty(gGameplayScreen->Owner, "GameplayScreenBhv", "TransitionOffTime", "0.1");
    ASSERT_TRUE(gGameplayScreen->StartReturnToMap());
    for (int pass = 0; pass < 600 && (gLevelSelectScreen == nullptr || !gLevelSelectScreen->Owner->InputEnabled);
         ++pass) {
        Play().RunPass();
    }
    ASSERT_NE(gLevelSelectScreen, nullptr);
    ASSERT_EQ(gLevelSelectScreen->Owner->InputEnabled, 1);
    ASSERT_EQ(gGameplayRoot->Children.back(), gLevelSelectScreen->Owner);
}

void ArrivalInEditModeTest::ExpectTheWholeFirstLevel() {
    ASSERT_NE(gGameplayScreen, nullptr);
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_NE(Play().Find("GameplayScreen/Level/Layer2Mut/Player"), nullptr);
    const GameObject* walls = Play().Find("GameplayScreen/Level/Layer1");
    ASSERT_NE(walls, nullptr);
    EXPECT_FALSE(walls->Children.empty());
    const GameObject* hud = gGameplayScreen->Owner->FindChild("Hud");
    ASSERT_NE(hud, nullptr);
    EXPECT_EQ(hud->FindChild("World")->Text->Text, "1");
    EXPECT_EQ(hud->FindChild("ParText")->Text->Text, "7.00");
    ExpectNear(gGraphics->WorldCamera.Scale, ScreenCameras::RestingWorldScale());
    EXPECT_FLOAT_EQ(gGraphics->WorldCamera.Rotation, 0.0f);
    EXPECT_EQ(gGameplayScreen->Owner->UpdateEnabled, 0) << "paused, as edit mode holds any level";
}

void ArrivalInEditModeTest::EnterEditModeAtEveryPassOfTheChange(Key enters) {
    ASSERT_NO_FATAL_FAILURE(StartOnTheMap());
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    Strike(Key::Space);
    Play().RunSeconds(2.5f);
    bool settled = false;
    for (int pass = 0; !settled; ++pass) {
        SCOPED_TRACE("entered " + std::to_string(pass) + " passes after Space");
        ASSERT_LT(pass, 300) << "the level never came to rest";
        ASSERT_NO_FATAL_FAILURE(BackToTheMap());
        Play().TapInOnePump({Key::Space});
        Play().RunPass();
        Play().RunPasses(pass);
        // The last round enters with the level at rest, as any time after the change.
        settled = gGameplayScreen != nullptr && !gGameplayScreen->IsInTransition();
        Play().TapInOnePump({enters});
        Play().RunPass();
        ASSERT_EQ(gEditorState->IsEditing, 1);
        // Entered on the map, edit mode sees the change end.
        for (int wait = 0; wait < 300 && (gGameplayScreen == nullptr || gGameplayScreen->IsInTransition()); ++wait) {
            Play().RunPass();
        }
        Play().RunPass();
        ASSERT_NO_FATAL_FAILURE(ExpectTheWholeFirstLevel());
        if (HasFailure()) {
            return;
        }
    }
}

TEST_F(ArrivalInEditModeTest, F1AtAnyPassOfTheChangeFromTheMapShowsTheWholeLevelAndItsHud) {
    EnterEditModeAtEveryPassOfTheChange(Key::F1);
}

TEST_F(ArrivalInEditModeTest, F2AtAnyPassOfTheChangeFromTheMapShowsTheWholeLevelAndItsHud) {
    EnterEditModeAtEveryPassOfTheChange(Key::F2);
}

// A prefab that every main level auto-creates is renamed in the inspector and saved;
// the next level, opened from the editor, still names the old prefab.
TEST_F(LevelEditorTest, ALevelNamingARenamedPrefabOpensAndPlaysWithoutItAndTheEditorSaysSo) {
    GameObject* edRoot = gRootObject->FindChild("EdRoot");
    GameObject* dialog = edRoot->FindChild("EdDialogsRoot")->FindChild("EdDlgMessageBox");
    Prefab* exit = gPrefabManager->FindPrefab("Exit");
    ASSERT_NE(exit, nullptr);
    gEditorState->SelectPrefab(exit);
    gEditorState->SelectedName = "Exit";
    gEditorState->ObjectEditPalette->OnNameChanged("ExitX");
    Play().RunPass();
    // The levels are shown before anything changes; Enter answers "Rename".
    ASSERT_EQ(dialog->DrawEnabled, 1);
    const std::string title = dialog->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title;
    EXPECT_EQ(title.rfind("Exit is auto-created by Lvl_01, Lvl_02, Lvl_03 and ", 0), 0u) << title;
    EXPECT_EQ(gPrefabManager->FindPrefab("Exit"), exit);
    Press(Key::OemEnter);
    EXPECT_EQ(dialog->DrawEnabled, 0);
    EXPECT_EQ(gPrefabManager->FindPrefab("ExitX"), exit);
    edRoot->FindChild("EdPalettesRoot")->FindChild("PalPrefabList")->GetComponent<EdPalPrefabListBhv>()->SaveAll();
    EXPECT_FALSE(fs::exists(LevelFile("Exit")));
    EXPECT_TRUE(fs::exists(LevelFile("ExitX")));

    Press(Key::PageDown);
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_TRUE(Things("Exit").empty());
    EXPECT_FALSE(Things("Wall").empty());
    ASSERT_EQ(Things("Player").size(), 1u);
    const std::string status = gEditorState->MainPalette->GetNotice();
    EXPECT_NE(status.find("Lvl_02.json: prefab 'Exit' is not loaded"), std::string::npos) << status;

    // Play-tested from the editor, the level plays.
    Press(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 0);
    const Vector2 start = Player()->GetPos();
    Play().HeldKeys = {Key::D};
    Play().RunPasses(30);
    Play().HeldKeys.clear();
    EXPECT_EQ(gGameplayScreen->RoundActive, 1);
    EXPECT_GT(Player()->GetPos().X, start.X + 1.0f);
}

// The whole round: three ants placed, one moved and the move undone, the level saved,
// a play-test in which an ant dies, and F2 bringing the edited level back.
TEST_F(LevelEditorTest, PlacedAntsAreSavedFromTheHistoryAndComeBackAfterAPlayTest) {
    EdLevelEditorBhv& editor = *Editor();
    const std::vector<Vector2> levelAnts = PositionsInFile(LevelFile("Lvl_01"), "En_Ant");
    const size_t liveAnts = Things("En_Ant").size();
    // From no source, three steps forward reach the ant.
    for (int i = 0; i < 3; ++i) {
        Press(Key::RightBracket);
    }
    ASSERT_EQ(gEditorState->SelectedName, "En_Ant");
    const std::vector<Vector2> placed = {{-10.0f, -6.0f}, {-9.0f, -3.0f}, {-11.0f, 0.0f}};
    for (const Vector2& at : placed) {
        ClickAt(at, Key::LeftMouse);
        ASSERT_EQ(editor.Selection.size(), 1u);
        ExpectNear(editor.Selection.front()->GetPos(), at);
    }
    ASSERT_EQ(Things("En_Ant").size(), liveAnts + 3);
    EXPECT_EQ(editor.GetHistorySize(), 4);

    // The second ant moves with the mouse, the click confirms, and the move is undone.
    ClickAt(placed[1], Key::RightMouse);
    Press(Key::G);
    MouseAt(placed[1] + Vector2(3.0f, 1.0f));
    Play().RunPass();
    Press(Key::LeftMouse);
    EXPECT_EQ(editor.GetToolMode(), Tool::None);
    EXPECT_EQ(editor.GetHistorySize(), 5);
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(editor.GetHistoryIndex(), 3);

    // The level prefab stays the one the palettes and the selection point at.
    Prefab* levelPrefab = gPrefabManager->FindPrefab("Lvl_01");
    gEditorState->SelectPrefab(levelPrefab);
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(editor.Dirty, 0);
    EXPECT_EQ(gPrefabManager->FindPrefab("Lvl_01"), levelPrefab);
    EXPECT_EQ(gEditorState->SelectedPrefab, levelPrefab);
    std::vector<Vector2> expected = levelAnts;
    expected.insert(expected.end(), placed.begin(), placed.end());
    const std::vector<Vector2> saved = PositionsInFile(LevelFile("Lvl_01"), "En_Ant");
    ASSERT_EQ(saved.size(), expected.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        ExpectNear(saved[i], expected[i]);
    }
    // Only what "Lvl_Sources" lists for an ant is stored.
    pt::ptree tree;
    pt::read_json(LevelFile("Lvl_01").string(), tree);
    for (const auto& [key, entry] : tree.get_child("AutoCreate")) {
        if (entry.get<std::string>("Prefab") == "En_Ant") {
            const pt::ptree& properties = entry.get_child("InstanceProperties");
            ASSERT_EQ(properties.size(), 1u);
            EXPECT_EQ(properties.front().first, "B2BodyCmp");
            EXPECT_EQ(properties.front().second.size(), 2u);
        }
    }

    // Play-test: the player picks up a pistol and shoots the nearest placed ant.
    Press(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 0);
    ASSERT_EQ(gEditorState->KeepPlayState, 1);
    auto* pistol = new GameObject("Pkup_Pistol");
    pistol->SetPos(Player()->GetPos());
    gGameplayScreen->AddToLevel(pistol);
    MouseAt(placed[0]);
    Play().HeldKeys = {Key::LeftMouse};
    for (int pass = 0; pass < 600 && Things("En_Ant").size() == liveAnts + 3; ++pass) {
        Play().RunPass();
    }
    Play().HeldKeys.clear();
    ASSERT_LT(Things("En_Ant").size(), liveAnts + 3);

    Press(Key::F2);
    EXPECT_EQ(gEditorState->IsEditing, 1);
    EXPECT_EQ(gEditorState->KeepPlayState, 0);
    const std::vector<GameObject*> restored = Things("En_Ant");
    ASSERT_EQ(restored.size(), liveAnts + 3);
    for (const Vector2& at : placed) {
        EXPECT_EQ(std::count_if(restored.begin(), restored.end(),
                                [&](const GameObject* ant) {
                                    const Vector2 d = ant->GetPos() - at;
                                    return d.X * d.X + d.Y * d.Y < 1e-4f;
                                }),
                  1);
    }
}

// A level file's things as "Name (Prefab)" and their values by path, sorted by name;
// things of one name keep their file order.
using LevelThing = std::pair<std::string, std::map<std::string, std::string>>;

void AddLeaves(const pt::ptree& tree, const std::string& path, std::map<std::string, std::string>& out) {
    if (tree.empty() && !path.empty()) {
        out[path] = tree.data();
    }
    for (const auto& [key, child] : tree) {
        AddLeaves(child, path + "/" + key, out);
    }
}

std::vector<LevelThing> ReadLevelThings(const fs::path& file) {
    pt::ptree tree;
    pt::read_json(file.string(), tree);
    std::vector<LevelThing> things;
    for (const auto& [key, entry] : tree.get_child("AutoCreate")) {
        LevelThing& thing = things.emplace_back();
        thing.first = entry.get<std::string>("Name") + " (" + entry.get<std::string>("Prefab") + ")";
        AddLeaves(entry.get_child("InstanceProperties", pt::ptree()), "", thing.second);
    }
    std::stable_sort(things.begin(), things.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return things;
}

// Numbers within a hair (a float's last digit may change), other text exactly.
bool SameValue(const std::string& a, const std::string& b) {
    char* end = nullptr;
    const float x = std::strtof(a.c_str(), &end);
    return *end == '\0' && !a.empty() ? std::fabs(x - std::strtof(b.c_str(), nullptr)) <= 1e-4f : a == b;
}

// A save straight after loading keeps every committed level: the same things with
// every value their file gave. Only the order of the entries changes (the editor writes
// them group by group) and values left to the prefab may be written out.
TEST_F(LevelEditorTest, SavingAnUneditedLevelKeepsEveryThingAndEveryValue) {
    int levels = 0;
    for (const auto& file : fs::directory_iterator(Play().Content->Path() / "Prefabs")) {
        const std::string name = file.path().stem().string();
        if (name.rfind("Lvl_", 0) != 0 || name == "Lvl_Sources") {
            continue;
        }
        ++levels;
        const std::vector<LevelThing> before = ReadLevelThings(file.path());
        LoadForEditing(name);
        Editor()->SaveLevel(name);
        ASSERT_EQ(Editor()->Dirty, 0) << name;
        const std::vector<LevelThing> after = ReadLevelThings(file.path());
        ASSERT_EQ(after.size(), before.size()) << name;
        for (size_t i = 0; i < before.size(); ++i) {
            ASSERT_EQ(after[i].first, before[i].first) << name;
            for (const auto& [path, value] : before[i].second) {
                const auto kept = after[i].second.find(path);
                ASSERT_NE(kept, after[i].second.end()) << name << ": " << before[i].first << " lost " << path;
                EXPECT_TRUE(SameValue(kept->second, value))
                    << name << ": " << before[i].first << path << " " << value << " became " << kept->second;
            }
        }
    }
    EXPECT_GE(levels, 28);
}

// The level and its groups hold every thing the history rebuilds: the object list
// refuses to remove, rebuild or move them, and a group lost all the same is made again
// by the next restore, with its things, so that the next save still holds them.
TEST_F(LevelEditorTest, TheLevelsGroupsStayAndARestoreRebuildsALostOne) {
    EdLevelEditorBhv& editor = *Editor();
    auto* objects = EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    ASSERT_NE(objects, nullptr);
    const std::vector<GameObject*> groups = Level()->Children;
    ASSERT_EQ(groups.size(), 4u);
    const size_t ants = Things("En_Ant").size();
    ASSERT_GT(ants, 0u);
    ASSERT_EQ(Things("Pkup_Pistol").size(), 1u);

    std::vector<GameObject*> fixed = {groups[3], groups[0], groups[1], groups[2], Level()};
    for (GameObject* object : fixed) {
        gEditorState->SelectObject(object);
        objects->RemoveSelected();
        ASSERT_EQ(object->PendingDestroy, 0) << object->Name;
        EXPECT_EQ(StatusText(), "Cannot remove " + object->Name);
        objects->ReloadSelected();
        ASSERT_EQ(object->PendingDestroy, 0) << object->Name;
        EXPECT_EQ(StatusText(), "Cannot reload " + object->Name);
        EXPECT_EQ(gEditorState->SelectedObject, object);
        objects->MoveSelected(1);
        EXPECT_EQ(StatusText(), "Cannot move " + object->Name);
        Play().RunPass();
    }
    EXPECT_EQ(Level()->Children, groups);
    // Nor do the gameplay screen and the editor's own objects move.
    for (GameObject* object : {gGameplayScreen->Owner, EditorObject({"EdPalettesRoot", "PalMain"})}) {
        const std::vector<GameObject*> siblings = object->Parent->Children;
        gEditorState->SelectObject(object);
        objects->MoveSelected(1);
        objects->MoveSelected(-1);
        EXPECT_EQ(object->Parent->Children, siblings) << object->Name;
        EXPECT_EQ(StatusText(), "Cannot move " + object->Name);
    }
    EXPECT_EQ(Things("En_Ant").size(), ants);

    // Lost some other way, the group comes back with the next undo.
    Level()->FindChild("Layer2Mut")->DetachAndDestroy();
    Play().RunPass();
    Press(Key::A);
    Press(Key::Down);
    ASSERT_EQ(editor.GetHistoryIndex(), 1);
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    ASSERT_EQ(editor.GetHistoryIndex(), 0);
    ASSERT_EQ(Level()->Children.size(), 4u);
    EXPECT_EQ(Level()->Children[3]->Name, "Layer2Mut");
    EXPECT_EQ(Things("Player").size(), 1u);
    EXPECT_EQ(Things("En_Ant").size(), ants);
    EXPECT_EQ(Things("Pkup_Pistol").size(), 1u);

    // A later edit and a save keep them.
    Press(Key::A);
    Press(Key::Up);
    Press(Key::S, {Key::Alt});
    ASSERT_EQ(editor.Dirty, 0);
    EXPECT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Player").size(), 1u);
    EXPECT_EQ(PositionsInFile(LevelFile("Lvl_01"), "En_Ant").size(), ants);
    EXPECT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol").size(), 1u);
}

// An inspector edit of what the level keeps of a thing is an undo step like a move:
// the level has unsaved edits, the save writes it and a play-test keeps it. A value
// the level does not keep is named in the status row as it is made.
TEST_F(LevelEditorTest, InspectorEditsOfAThingAreUndoStepsThatTheSaveWrites) {
    EdLevelEditorBhv& editor = *Editor();
    Press(Key::Tab);
    const auto pistol = [this] { return Things("Pkup_Pistol").front(); };
    ASSERT_EQ(pistol()->Name, "PistolPickup");
    const Vector2 start = pistol()->GetPos();
    ASSERT_FLOAT_EQ(start.X, -13.0f);

    gEditorState->SelectObject(pistol());
    EnterInField(InspectorField("B2BodyCmp", "  Pos.X"), "-5");
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    EXPECT_EQ(editor.Dirty, 1);
    EXPECT_EQ(editor.GetHistorySize(), 2);
    // Enter again without a change is no step.
    EnterInField(InspectorField("B2BodyCmp", "  Pos.X"), "-5");
    EXPECT_EQ(editor.GetHistorySize(), 2);

    // The name is the thing's too.
    gEditorState->SelectObject(pistol());
    EnterInField(*gEditorState->ObjectEditPalette->NameRow->ValueField, "Sidearm");
    EXPECT_EQ(pistol()->Name, "Sidearm");
    EXPECT_EQ(editor.GetHistorySize(), 3);

    // Undo walks back through both.
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(pistol()->Name, "PistolPickup");
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -13.0f);
    Press(Key::Z, {Key::Ctrl, Key::Shift});
    Press(Key::Z, {Key::Ctrl, Key::Shift});

    // A play-test and the return keep the edits; the save writes them.
    Press(Key::F1);
    Press(Key::F2);
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    EXPECT_EQ(pistol()->Name, "Sidearm");
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(editor.Dirty, 0);
    const std::vector<Vector2> saved = PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_FLOAT_EQ(saved.front().X, -5.0f);
    EXPECT_NE(ReadFile(LevelFile("Lvl_01")).find("\"Sidearm\""), std::string::npos);

    // The sprite's size is the prefab's in every level: said at once, and no step.
    Press(Key::Tab);
    gEditorState->SelectObject(pistol());
    EnterInField(InspectorField("SpriteCmp", "  Size.X"), "3");
    EXPECT_EQ(editor.GetHistorySize(), 3);
    EXPECT_EQ(editor.Dirty, 0);
    EXPECT_NE(StatusText().find("SpriteCmp.Size"), std::string::npos) << StatusText();
    EXPECT_NE(StatusText().find("Sidearm"), std::string::npos) << StatusText();
}

// On a busy machine one pass can take the right click on a field, the digit, the Enter
// that commits it and the Alt+S struck after it, in any grouping. The keys act in the
// order they went down, the level editor's too: the save holds the digit, says so and
// leaves nothing unsaved. An Alt+S struck before the edit saves without it.
TEST_F(LevelEditorTest, AnAltSStruckRightAfterAnEnterSavesWhatTheEnterCommitted) {
    EdLevelEditorBhv& editor = *Editor();
    PointAtThePistolsAmmunition();
    const Pump click = Tapped({Key::RightMouse});
    const Pump enter = Tapped({Key::OemEnter});
    const Pump save = Chord(Key::Alt, Key::S);
    const struct {
        const char* Route;
        const char* Digit;
        std::vector<Pump> Pumps;
    } routes[] = {
        {"all in one pass", "2", {click + Tapped({Key::Oem2}) + enter + save}},
        {"the click; then the rest in one pass", "3", {click, Tapped({Key::Oem3}) + enter + save}},
        {"click and digit; then Enter and Alt+S", "4", {click + Tapped({Key::Oem4}), enter + save}},
        {"a pass each", "5", {click, Tapped({Key::Oem5}), enter, save}},
    };
    for (const auto& route : routes) {
        Pumps(route.Pumps);
        EXPECT_EQ(AmmunitionInFile(), route.Digit) << route.Route;
        EXPECT_EQ(StatusText(), "Saved Lvl_01") << route.Route;
        EXPECT_EQ(editor.Dirty, 0) << route.Route;
        EXPECT_TRUE(FindUnsavedWork().IsEmpty()) << route.Route;
    }

    Pumps({click + Tapped({Key::Oem6}) + enter});
    Pumps({save + click + Tapped({Key::Oem7}) + enter});
    EXPECT_EQ(AmmunitionInFile(), "6");
    EXPECT_EQ(Things("Pkup_Pistol").front()->GetComponent<Pkup_WeaponBhv>()->GetAmmoCount(), 7);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");
}

// A field left by any click keeps what it holds, as a left click elsewhere does: the
// pistol's new name stands after a right click on a wall. A chord never types into a
// field: Alt+S struck while the ammunition is typed commits and saves it, as Enter then
// Alt+S would, in one pass or apart. Text the value cannot take is told by property and
// text, and the value stays.
TEST_F(LevelEditorTest, AFieldLeftByAnyClickOrAChordKeepsWhatItHoldsAndAChordTypesNothing) {
    EdLevelEditorBhv& editor = *Editor();
    const EdFieldBhv& ammunition = PointAtThePistolsAmmunition();
    GameObject* pistol = Things("Pkup_Pistol").front();
    const auto ammoCount = [pistol] { return pistol->GetComponent<Pkup_WeaponBhv>()->GetAmmoCount(); };
    const Pump click = Tapped({Key::RightMouse});
    const Pump save = Chord(Key::Alt, Key::S);
    const struct {
        const char* Route;
        std::vector<Pump> Pumps;
        const char* Digit;
    } routes[] = {
        {"the click; then the digit and Alt+S in one pass", {click, Tapped({Key::Oem7}) + save}, "7"},
        {"all in one pass", {click + Tapped({Key::Oem8}) + save}, "8"},
        {"a pass each", {click, Tapped({Key::Oem6}), save}, "6"},
    };
    for (const auto& route : routes) {
        Pumps(route.Pumps);
        EXPECT_EQ(ammunition.HasFocus, 0) << route.Route;
        EXPECT_EQ(ammunition.Text, route.Digit) << route.Route;
        EXPECT_EQ(std::to_string(ammoCount()), route.Digit) << route.Route;
        EXPECT_EQ(AmmunitionInFile(), route.Digit) << route.Route;
        EXPECT_EQ(editor.Dirty, 0) << route.Route;
    }
    // Text the count cannot take: the status rows say so, and the count stays.
    Pumps({click + Tapped({Key::Oem4, Key::X, Key::OemEnter})});
    EXPECT_EQ(ammoCount(), 6);
    EXPECT_EQ(StatusText(), "\"4x\" is not a value of Pkup_WeaponBhv.AmmoCount: it stays 6");
    EXPECT_EQ(ammunition.Text, "6");

    // The name typed, then a right click on a wall: renamed, an unsaved undo step.
    EdFieldBhv& name = *gEditorState->ObjectEditPalette->NameRow->ValueField;
    ClickOn(name);
    ASSERT_EQ(name.HasFocus, 1);
    Type("X");
    const int steps = editor.GetHistorySize();
    // A wall clear of the palettes.
    for (const GameObject* wall : Things("Wall")) {
        MouseAt(wall->GetPos());
        mPlay->RunPass();
        if (gEditorState->MouseOverPalette == 0) {
            break;
        }
    }
    ASSERT_EQ(gEditorState->MouseOverPalette, 0);
    Press(Key::RightMouse);
    EXPECT_EQ(name.HasFocus, 0);
    EXPECT_EQ(pistol->Name, "PistolPickupX");
    EXPECT_EQ(editor.GetHistorySize(), steps + 1);
    EXPECT_EQ(editor.Dirty, 1);
}

// A designer's rhythm: right click, a digit and Enter 5 ms apart, Alt+S a moment later.
// A quick Alt+S often has its Alt go down in one pass and its S, with both let go, in
// the next; the save is read with the Alt it was struck with, so every edit reaches the
// file.
TEST_F(LevelEditorTest, AnAltSWhoseAltWentDownAPassBeforeItsSStillSavesTheEdit) {
    EdLevelEditorBhv& editor = *Editor();
    PointAtThePistolsAmmunition();
    const struct {
        Key Digit;
        const char* Text;
    } edits[] = {{Key::Oem1, "1"}, {Key::Oem2, "2"}, {Key::Oem3, "3"}};
    for (const auto& edit : edits) {
        Pumps({Tapped({Key::RightMouse}), Tapped({edit.Digit, Key::OemEnter})});
        ASSERT_EQ(editor.Dirty, 1) << edit.Text;
        Play().RunSeconds(0.6f);
        Pumps({{{Key::Alt, true}}, Tapped({Key::S}) + Pump{{Key::Alt, false}}});
        EXPECT_EQ(AmmunitionInFile(), edit.Text);
        EXPECT_EQ(editor.Dirty, 0) << edit.Text;
    }
}

// F1 alone leaves the level's moving things as play left them, and the history leaves
// them out: an edit of one waits for F2 and says so, by the keys, the mouse or the
// inspector. The rest of the level is edited and saved as usual, and the save says that
// play's changes were not kept. After F2 the moving things are edited and saved.
TEST_F(LevelEditorTest, AfterF1AloneTheMovingThingsWaitForF2AndTheSaveSaysWhatItLeftOut) {
    EdLevelEditorBhv& editor = *Editor();
    const std::string waitForF2 = "Press F2 to edit the level as loaded: its moving things are in play";
    Press(Key::F1);
    Press(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    ASSERT_EQ(gEditorState->KeepPlayState, 1);
    GameObject* player = Player();
    const Vector2 start = player->GetPos();

    // The player is selected, but G, the arrows and Delete leave it where it is.
    ClickAt(start, Key::RightMouse);
    ASSERT_EQ(editor.Selection, std::vector<GameObject*>{player});
    Press(Key::G);
    EXPECT_EQ(editor.GetToolMode(), Tool::None);
    EXPECT_EQ(StatusText(), waitForF2);
    MouseAt(start + Vector2(3.0f, 0.0f));
    Play().RunPass();
    Press(Key::LeftMouse);
    Press(Key::Right);
    Press(Key::X);
    ASSERT_EQ(Things("Player"), std::vector<GameObject*>{player});
    ExpectNear(player->GetPos(), start);

    // An ant placed with a left click does not come either.
    const size_t ants = Things("En_Ant").size();
    for (int i = 0; i < 3; ++i) {
        Press(Key::RightBracket);
    }
    ASSERT_EQ(gEditorState->SelectedName, "En_Ant");
    ShowEditorNotice("");
    ClickAt(Vector2(-10.0f, -6.0f), Key::LeftMouse);
    EXPECT_EQ(Things("En_Ant").size(), ants);
    EXPECT_EQ(StatusText(), waitForF2);
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_EQ(editor.Dirty, 0);

    // A wall is moved as usual, while the whole selection with the player is not.
    GameObject* wall = Things("Wall").front();
    ClickAt(wall->GetPos(), Key::RightMouse);
    ClickAt(start, Key::RightMouse, {Key::Shift});
    ASSERT_EQ(editor.Selection.size(), 2u);
    const Vector2 wallStart = wall->GetPos();
    Press(Key::Up);
    ExpectNear(wall->GetPos(), wallStart);
    ClickAt(start, Key::RightMouse, {Key::Shift});
    Press(Key::Up);
    const Vector2 wallMoved = wall->GetPos();
    EXPECT_GT(wallMoved.Y, wallStart.Y);
    EXPECT_EQ(editor.GetHistorySize(), 2);

    // The inspector does not write the player's place either.
    Press(Key::Tab);
    gEditorState->SelectObject(player);
    ShowEditorNotice("");
    EnterInField(InspectorField("B2BodyCmp", "  Pos.X"), "-5");
    ExpectNear(player->GetPos(), start);
    EXPECT_EQ(StatusText(), waitForF2);
    EXPECT_EQ(editor.GetHistorySize(), 2);
    // A wall's size is the prefab's in every level.
    gEditorState->SelectObject(wall);
    EnterInField(InspectorField("SpriteCmp", "  Size.X"), "3");
    EXPECT_EQ(StatusText().rfind("SpriteCmp.Size of Wall is not kept by the level", 0), 0u) << StatusText();

    // The save writes the wall's place and names what it did not keep.
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(),
              "Saved Lvl_01 without play's changes to its moving things; not kept: SpriteCmp.Size of Wall");
    EXPECT_EQ(editor.Dirty, 0);
    const std::vector<Vector2> walls = PositionsInFile(LevelFile("Lvl_01"), "Wall");
    EXPECT_EQ(
        std::count_if(walls.begin(), walls.end(),
                      [&](Vector2 p) { return std::fabs(p.X - wallMoved.X) + std::fabs(p.Y - wallMoved.Y) < 1e-3f; }),
        1);
    ExpectNear(PositionsInFile(LevelFile("Lvl_01"), "Player").front(), start);

    // F2 hands the moving things to the editor: the player moves and is saved.
    Press(Key::Tab);
    Press(Key::F2);
    ASSERT_EQ(gEditorState->KeepPlayState, 0);
    ClickAt(start, Key::RightMouse);
    ASSERT_EQ(editor.Selection, std::vector<GameObject*>{Player()});
    Press(Key::G);
    MouseAt(start + Vector2(3.0f, 0.0f));
    Play().RunPass();
    Press(Key::LeftMouse);
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Saved Lvl_01");
    ExpectNear(PositionsInFile(LevelFile("Lvl_01"), "Player").front(), start + Vector2(3.0f, 0.0f));
}

// The object list's Remove, Move and Reload, a Ctrl+G move and a Ctrl+E reshape change a
// thing of the level as the level editor's keys do: each is one undo step and leaves the
// level unsaved, and a value the level does not keep is named when it is made.
TEST_F(LevelEditorTest, ListAndToolChangesOfAThingAreUndoStepsThatTheSaveWrites) {
    EdLevelEditorBhv& editor = *Editor();
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    const size_t walls = Things("Wall").size();

    // Remove: the wall goes in one step, which undo and redo walk.
    gEditorState->SelectObject(Things("Wall").back());
    objects.RemoveSelected();
    Play().RunPass();
    EXPECT_EQ(Things("Wall").size(), walls - 1);
    EXPECT_EQ(editor.GetHistorySize(), 2);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(Things("Wall").size(), walls);
    Press(Key::Z, {Key::Ctrl, Key::Shift});
    EXPECT_EQ(Things("Wall").size(), walls - 1);

    // Move down: a thing takes its neighbour's place in the group, one step.
    GameObject* group = Level()->FindChild("Layer1");
    GameObject* first = group->Children.front();
    gEditorState->SelectObject(first);
    objects.MoveSelected(1);
    EXPECT_EQ(group->Children[1], first);
    EXPECT_EQ(editor.GetHistorySize(), 3);

    // Reload: the pistol is made afresh from its prefab, one step.
    gEditorState->SelectObject(Things("Pkup_Pistol").front());
    objects.ReloadSelected();
    Play().RunPass();
    ASSERT_EQ(Things("Pkup_Pistol").size(), 1u);
    GameObject* pistol = Things("Pkup_Pistol").front();
    EXPECT_EQ(gEditorState->SelectedObject, pistol);
    EXPECT_EQ(editor.GetHistorySize(), 4);

    // Ctrl+G: Esc puts it back with no step; a click keeps the new place as one.
    const Vector2 placed(-9.0f, 6.0f);
    MouseAt(pistol->GetPos());
    Play().RunPass();
    Press(Key::G, {Key::Ctrl});
    MouseAt(placed);
    Play().RunPass();
    Press(Key::Esc);
    EXPECT_EQ(editor.GetHistorySize(), 4);
    MouseAt(pistol->GetPos());
    Play().RunPass();
    Press(Key::G, {Key::Ctrl});
    MouseAt(placed);
    Play().RunPass();
    Press(Key::LeftMouse);
    ExpectNear(pistol->GetPos(), placed);
    EXPECT_EQ(editor.GetHistorySize(), 5);

    // Ctrl+E: the reshaped wall is told to be the prefab's shape in the level; no step.
    GameObject* wall = Things("Wall").front();
    Press(Key::Tab);
    gEditorState->SelectObject(wall);
    ASSERT_NO_FATAL_FAILURE(DragTheShapesHandleOut());
    EXPECT_EQ(wall->GetComponent<B2FixtureCmp>()->ShapeToString(), "Box 2 1");
    EXPECT_EQ(StatusText().rfind("B2FixtureCmp.Shape of Wall is not kept by the level", 0), 0u) << StatusText();
    EXPECT_EQ(editor.GetHistorySize(), 5);

    // The save writes every step, and names the shape it did not keep.
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Saved Lvl_01; not kept: B2FixtureCmp.Shape of Wall");
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());
    EXPECT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Wall").size(), walls - 1);
    ASSERT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol").size(), 1u);
    ExpectNear(PositionsInFile(LevelFile("Lvl_01"), "Pkup_Pistol").front(), placed);

    // While play's state is kept, they leave the moving things alone, as the keys do.
    Press(Key::F1);
    Press(Key::F1);
    ASSERT_EQ(gEditorState->KeepPlayState, 1);
    gEditorState->SelectObject(Player());
    objects.RemoveSelected();
    Press(Key::G, {Key::Ctrl});
    EXPECT_FALSE(gEditorState->SpriteMover->IsEngaged());
    Play().RunPass();
    EXPECT_EQ(Things("Player").size(), 1u);
    EXPECT_EQ(StatusText(), "Press F2 to edit the level as loaded: its moving things are in play");
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());
}

// A thing's components and flags, and its parts (an icon, an auto-created child), are
// kept by no level file: the inspector's Add, Remove and Move of a component, its flag
// toggles, Ctrl+L, and the object list's changes of a part each name what they changed
// as not kept, and a restore undoes them. Alt+S after only such changes writes nothing
// and says so, naming them. While play's state is kept, a moving thing's components and
// flags wait for F2 like the rest of it.
TEST_F(LevelEditorTest, ComponentsFlagsAndPartsOfAThingAreNamedAsNotKeptAndASaveOfThemWritesNothing) {
    EdLevelEditorBhv& editor = *Editor();
    EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    const std::string savedLevel = ReadFile(LevelFile("Lvl_01"));
    const auto toldNotKept = [](const std::string& what) {
        return StatusText().rfind(what + " is not kept by the level", 0) == 0;
    };
    Press(Key::Tab);

    // The wall's flag, its sprite's origin, and its components as a list.
    GameObject* wall = Things("Wall").front();
    gEditorState->SelectObject(wall);
    Play().RunPass();
    ClickOn(*inspector.DrawToggle);
    EXPECT_EQ(wall->DrawEnabled, 0);
    EXPECT_EQ(StatusText(),
              "DrawEnabled of Wall is not kept by the level: a level keeps only the values of its things that "
              "\"Lvl_Sources\" lists");
    ClickInspectorComponent("SpriteCmp");
    Press(Key::L, {Key::Ctrl});
    ExpectNear(wall->GetComponent<SpriteCmp>()->Origin, Vector2(-1.0f, -1.0f));
    EXPECT_EQ(StatusText(), "SpriteCmp.Origin of Wall is not kept by the level: \"Lvl_Sources\" does not list it");
    inspector.OnComponentPicked("TintCmp");
    ASSERT_NE(wall->GetComponent<TintCmp>(), nullptr);
    EXPECT_TRUE(toldNotKept("TintCmp added to Wall")) << StatusText();
    ClickOn(*inspector.MoveDownButton);
    EXPECT_EQ(wall->Components[1], wall->GetComponent<SpriteCmp>());
    EXPECT_TRUE(toldNotKept("SpriteCmp moved in Wall")) << StatusText();
    ClickOn(*inspector.RemoveButton);
    EXPECT_EQ(wall->GetComponent<SpriteCmp>(), nullptr);
    EXPECT_TRUE(toldNotKept("SpriteCmp removed from Wall")) << StatusText();

    // The pick-up's parts, in the inspector and in the object list.
    GameObject* pistol = Things("Pkup_Pistol").front();
    ASSERT_EQ(pistol->Name, "PistolPickup");
    gEditorState->SelectObject(pistol->FindChild("Border"));
    EnterInField(InspectorField("SpriteCmp", "  Size.X"), "3");
    EXPECT_TRUE(toldNotKept("SpriteCmp.Size of Border of PistolPickup")) << StatusText();
    gEditorState->SelectObject(pistol->FindChild("Text"));
    objects.MoveSelected(-1);
    EXPECT_EQ(pistol->Children.front()->Name, "Text");
    EXPECT_TRUE(toldNotKept("Text moved in PistolPickup")) << StatusText();
    objects.RemoveSelected();
    Play().RunPass();
    EXPECT_EQ(pistol->FindChild("Text"), nullptr);
    EXPECT_TRUE(toldNotKept("Text removed from PistolPickup")) << StatusText();

    // None of it is an undo step or unsaved; Alt+S writes nothing and says what it left.
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(),
              "Nothing written to Lvl_01; not kept: DrawEnabled of Wall, SpriteCmp.Origin of Wall, TintCmp added to "
              "Wall and 5 more");
    EXPECT_EQ(ReadFile(LevelFile("Lvl_01")), savedLevel);

    // It was not kept: a play-test's return rebuilds the level as its history holds it.
    Press(Key::F1);
    Press(Key::F2);
    for (const GameObject* rebuilt : Things("Wall")) {
        EXPECT_EQ(rebuilt->DrawEnabled, 1);
        ASSERT_NE(rebuilt->GetComponent<SpriteCmp>(), nullptr);
        EXPECT_EQ(rebuilt->GetComponent<TintCmp>(), nullptr);
    }
    EXPECT_NE(Things("Pkup_Pistol").front()->FindChild("Text"), nullptr);

    // So does an undo, even with no step before it to go back to: a Ctrl+E reshape.
    gEditorState->MainPalette->ShowPalettes();
    gEditorState->SelectObject(Things("Wall").front());
    Play().RunPass();
    ASSERT_NO_FATAL_FAILURE(DragTheShapesHandleOut());
    ASSERT_EQ(Things("Wall").front()->GetComponent<B2FixtureCmp>()->ShapeToString(), "Box 2 1");
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    EXPECT_EQ(Things("Wall").front()->GetComponent<B2FixtureCmp>()->ShapeToString(), "Box 1 1");
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());

    // After F1 alone the player's flags and components wait for F2.
    Press(Key::F1);
    Press(Key::F1);
    ASSERT_EQ(gEditorState->KeepPlayState, 1);
    GameObject* player = Player();
    const std::vector<Component*> components = player->Components;
    gEditorState->SelectObject(player);
    Play().RunPass();
    ShowEditorNotice("");
    inspector.SetDrawEnabled(false);
    EXPECT_EQ(StatusText(), "Press F2 to edit the level as loaded: its moving things are in play");
    inspector.OnComponentPicked("TintCmp");
    inspector.MoveComponentDown();
    inspector.RemoveComponent();
    Play().RunPass();
    EXPECT_EQ(player->DrawEnabled, 1);
    EXPECT_EQ(player->Components, components);
}

// The object list's Add, on a group of the level: a prefab that "Lvl_Sources" lists is a
// thing of the level, one undo step that the save writes. Any other (a cue, a prefab
// just made in the prefab list) has no place in a level file: it is named as not kept
// when it is added and again by the next save, the level is unsaved while it stands
// (closing the window asks), Alt+S writes nothing and says so, and the next undo or F2
// takes it away. After F1 alone the moving things' groups take nothing until F2.
TEST_F(LevelEditorTest, AnAddedPrefabThatTheSourcesDoNotListIsNamedAsNotKeptAndLeavesTheLevelUnsaved) {
    EdLevelEditorBhv& editor = *Editor();
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    auto& prefabs = *EditorObject({"EdPalettesRoot", "PalPrefabList"})->GetComponent<EdPalPrefabListBhv>();
    const GameObject* box = EditorObject({"EdDialogsRoot", "EdDlgMessageBox"});
    const std::string savedLevel = ReadFile(LevelFile("Lvl_01"));
    GameObject* layer1 = Level()->FindChild("Layer1");
    const auto openLayer = [this](const char* name) {
        GameObject* group = Level()->FindChild(name);
        gEditorState->InsertParent = group;
        gEditorState->SelectObject(group);
        Play().RunPass();
    };
    Press(Key::Tab);

    // A cue, by the Add button: in the level and in the list, named as not kept.
    openLayer("Layer1");
    ClickOn(*objects.BtnAdd);
    ASSERT_NO_FATAL_FAILURE(PickPrefab("Cue_BulletWallHit"));
    GameObject* cue = layer1->Children.back();
    ASSERT_EQ(cue->PrefabName, "Cue_BulletWallHit");
    EXPECT_EQ(gEditorState->SelectedObject, cue);
    EXPECT_EQ(objects.ParentItem->Label, "Layer1");
    EXPECT_EQ(StatusText(),
              "Cue_BulletWallHit added to Layer1 is not kept by the level: \"Lvl_Sources\" does not list it");
    EXPECT_EQ(editor.GetHistorySize(), 1);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");

    // Alt+S writes nothing and says what it left; the level stays unsaved.
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Nothing written to Lvl_01; not kept: Cue_BulletWallHit added to Layer1");
    EXPECT_EQ(ReadFile(LevelFile("Lvl_01")), savedLevel);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");

    // Closing the window asks; going back keeps the cue.
    Play().CloseWindow();
    EXPECT_TRUE(Play().TryRunPass());
    Play().RunPass();
    ASSERT_EQ(box->GetComponent<EdDialogBhv>()->IsOpen(), true);
    EXPECT_EQ(box->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title, "Unsaved: level. Quit?");
    Press(Key::Esc);
    ASSERT_FALSE(box->GetComponent<EdDialogBhv>()->IsOpen());
    EXPECT_EQ(layer1->Children.back(), cue);

    // A switch of level asks too; "Cancel" keeps the cue.
    Press(Key::PageDown);
    ASSERT_EQ(box->GetComponent<EdDialogBhv>()->IsOpen(), true);
    EXPECT_EQ(box->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title, "Save changes?");
    Press(Key::Esc);
    ASSERT_FALSE(box->GetComponent<EdDialogBhv>()->IsOpen());
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(layer1->Children.back(), cue);

    // The next undo takes it away, with nothing left unsaved.
    Press(Key::Z, {Key::Ctrl, Key::Alt});
    Play().RunPass();
    EXPECT_EQ(layer1->FindChild("Cue_BulletWallHit"), nullptr);
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());

    // After F1 alone: the moving things' group refuses the Add; a prefab just made in the
    // prefab list goes into Layer1 by Insert, named, and F2 takes it away.
    Press(Key::F1);
    Press(Key::F1);
    ASSERT_EQ(gEditorState->KeepPlayState, 1);
    gEditorState->MainPalette->ShowPalettes();
    openLayer("Layer2Mut");
    Press(Key::Insert);
    EXPECT_FALSE(gEditorState->PrefabPicker->Dialog->IsOpen());
    EXPECT_EQ(StatusText(), "Press F2 to edit the level as loaded: its moving things are in play");
    ClickOn(*prefabs.BtnAdd);
    // The new prefab's name field has the keyboard.
    Play().RunPass();
    const std::string made = "Scratch";
    Type(made);
    Press(Key::OemEnter);
    ASSERT_NE(gPrefabManager->FindPrefab(made), nullptr);
    openLayer("Layer1");
    Press(Key::Insert);
    ASSERT_NO_FATAL_FAILURE(PickPrefab(made));
    ASSERT_EQ(layer1->Children.back()->PrefabName, made);
    EXPECT_EQ(StatusText(), made + " added to Layer1 is not kept by the level: \"Lvl_Sources\" does not list it");
    EXPECT_EQ(FindUnsavedWork().Describe(), "level, 1 prefab");
    Press(Key::F2);
    EXPECT_EQ(layer1->FindChild(made), nullptr);
    EXPECT_EQ(FindUnsavedWork().Describe(), "1 prefab");

    // A wall, which the sources list, is an undo step that the save writes.
    const size_t walls = Things("Wall").size();
    openLayer("Layer1");
    Press(Key::Insert);
    ASSERT_NO_FATAL_FAILURE(PickPrefab("Wall"));
    EXPECT_EQ(Things("Wall").size(), walls + 1);
    EXPECT_EQ(editor.GetHistorySize(), 2);
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Saved Lvl_01");
    EXPECT_EQ(PositionsInFile(LevelFile("Lvl_01"), "Wall").size(), walls + 1);
}

// With an addition or a value that the level does not keep standing, the first undo
// takes back only that, and the next undo steps back through the history.
TEST_F(LevelEditorTest, TheFirstUndoTakesBackOnlyWhatTheLevelDoesNotKeep) {
    EdLevelEditorBhv& editor = *Editor();
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    GameObject* layer1 = Level()->FindChild("Layer1");
    const auto pistol = [this] { return Things("Pkup_Pistol").front(); };
    const auto undo = [this] { Strike(Key::Z, {Key::Ctrl, Key::Alt}); };
    Press(Key::Tab);
    gEditorState->SelectObject(pistol());
    EnterInField(InspectorField("B2BodyCmp", "  Pos.X"), "-5");
    ASSERT_EQ(editor.GetHistoryIndex(), 1);

    const auto addCue = [&objects, layer1, this] {
        gEditorState->InsertParent = layer1;
        gEditorState->SelectObject(layer1);
        Play().RunPass();
        ClickOn(*objects.BtnAdd);
        ASSERT_NO_FATAL_FAILURE(PickPrefab("Cue_BulletWallHit"));
        ASSERT_NE(layer1->FindChild("Cue_BulletWallHit"), nullptr);
    };
    ASSERT_NO_FATAL_FAILURE(addCue());
    undo();
    EXPECT_EQ(layer1->FindChild("Cue_BulletWallHit"), nullptr);
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    EXPECT_EQ(editor.GetHistoryIndex(), 1);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");
    undo();
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -13.0f);
    EXPECT_EQ(editor.GetHistoryIndex(), 0);

    // Saved with the kept edit, the cue still stands: unsaved, and the next undo's.
    Strike(Key::Z, {Key::Ctrl, Key::Shift});
    ASSERT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    ASSERT_NO_FATAL_FAILURE(addCue());
    Strike(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Saved Lvl_01; not kept: Cue_BulletWallHit added to Layer1");
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");
    undo();
    EXPECT_EQ(layer1->FindChild("Cue_BulletWallHit"), nullptr);
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());

    // A sprite's size, which every level takes from the prefab, the same way.
    const float size = pistol()->Sprite->Size.X;
    gEditorState->SelectObject(pistol());
    EnterInField(InspectorField("SpriteCmp", "  Size.X"), "3");
    ASSERT_FLOAT_EQ(pistol()->Sprite->Size.X, 3.0f);
    undo();
    EXPECT_FLOAT_EQ(pistol()->Sprite->Size.X, size);
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -5.0f);
    EXPECT_EQ(editor.GetHistoryIndex(), 1);
    undo();
    EXPECT_FLOAT_EQ(pistol()->GetPos().X, -13.0f);
}

// The level keeps only what its groups hold: the object list adds nothing beside them
// and says why, whether by its Add button or by Insert. In a group it adds as before.
TEST_F(LevelEditorTest, TheObjectListAddsNothingBesideTheLevelsGroupsAndSaysWhy) {
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    const EdDialogBhv& picker = *gEditorState->PrefabPicker->Dialog;
    const auto row = [&objects](const std::string& label) -> const EdListItemBhv& {
        for (const EdListItemBhv* item : objects.Items) {
            if (item->Label == label) {
                return *item;
            }
        }
        ADD_FAILURE() << "no row " << label;
        return *objects.Items.front();
    };
    const std::string layer1 = std::string("Layer1") + EdPalObjectListBhv::ChildrenMark;
    Press(Key::Tab);
    gEditorState->InsertParent = gGameplayScreen->Owner;
    Play().RunPass();
    MouseOn(row(std::string("Level") + EdPalObjectListBhv::ChildrenMark));
    Play().RunPass();
    Strike(Key::RightMouse);
    ASSERT_EQ(objects.ParentItem->Label, "Level");
    ClickOn(row(layer1));
    ASSERT_EQ(gEditorState->SelectedObject, Level()->FindChild("Layer1"));
    const std::vector<GameObject*> groups = Level()->Children;

    const std::string why = "Nothing added to Level: a level keeps only what its groups hold";
    ClickOn(*objects.BtnAdd);
    EXPECT_FALSE(picker.IsOpen());
    EXPECT_EQ(StatusText(), why);
    ShowEditorNotice("");
    Strike(Key::Insert);
    EXPECT_FALSE(picker.IsOpen());
    EXPECT_EQ(StatusText(), why);
    EXPECT_EQ(Level()->Children, groups);
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());

    MouseOn(row(layer1));
    Play().RunPass();
    Strike(Key::RightMouse);
    ASSERT_EQ(objects.ParentItem->Label, "Layer1");
    ClickOn(*objects.BtnAdd);
    EXPECT_TRUE(picker.IsOpen());
    Strike(Key::Esc);
    EXPECT_FALSE(picker.IsOpen());
}

// While a tool works on the world the palettes fade, so that the level shows through
// them; the game's interface (the HUD's line, a waiting title card) is not drawn
// through them, nor anywhere else, until the tool ends. Moving a piece of the interface
// itself keeps it in sight.
TEST_F(LevelEditorOnScreenTest, TheGamesInterfaceIsNotDrawnWhileAToolWorksOnTheWorld) {
    GameObject* hud = gGameplayScreen->Owner->FindChild("Hud");
    ASSERT_NE(hud, nullptr);
    // Pixels that the HUD adds to the frame as it stands.
    const auto hudPixels = [this, hud] {
        const std::vector<uint8_t> with = Play().DrawFrame();
        hud->DrawEnabled = 0;
        const std::vector<uint8_t> without = Play().DrawFrame();
        hud->DrawEnabled = 1;
        int count = 0;
        for (size_t i = 0; i + 3 < with.size() && i + 3 < without.size(); i += 4) {
            count += with[i] != without[i] || with[i + 1] != without[i + 1] || with[i + 2] != without[i + 2] ? 1 : 0;
        }
        return count;
    };
    Press(Key::Tab);
    gEditorState->SelectObject(Things("Wall").front());
    ClickInspectorComponent("B2FixtureCmp");
    Press(Key::E, {Key::Ctrl});
    ASSERT_TRUE(gEditorState->ShapeEditor->IsEditing());
    ASSERT_EQ(gEditorState->ToolEngaged, 1);
    if (const char* folder = std::getenv("QV_SCREENSHOT_DIR")) {
        Play().SaveScreenshot(fs::path(folder) / "shape-editing-without-the-hud.bmp");
    }
    EXPECT_EQ(hudPixels(), 0);
    Press(Key::Esc);
    ASSERT_FALSE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_GT(hudPixels(), 0);

    Press(Key::G, {Key::Ctrl});
    ASSERT_TRUE(gEditorState->SpriteMover->IsEngaged());
    EXPECT_EQ(hudPixels(), 0);
    Press(Key::Esc);
    EXPECT_GT(hudPixels(), 0);

    GameObject* label = hud->FindChild("TimeLabel");
    ASSERT_NE(label, nullptr);
    gEditorState->SelectObject(label);
    Press(Key::G, {Key::Ctrl});
    ASSERT_TRUE(gEditorState->SpriteMover->IsEngaged());
    EXPECT_GT(hudPixels(), 0);
    Press(Key::Esc);
}

// The level's own entries are written from its history at each level save, which would
// write over a change made in the lists; "Save all" would write that change under a
// level that shows otherwise. The lists leave them to the level, and another prefab's
// entries stay theirs to change.
TEST_F(LevelEditorTest, TheListsLeaveTheEntriesOfTheLevelBeingEditedToTheLevel) {
    Press(Key::Tab);
    auto& entries = *EditorObject({"EdPalettesRoot", "PalAutoCreateList"})->GetComponent<EdPalAutoCreateListBhv>();
    EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
    const auto selectFirstEntryOf = [this](const char* prefabName) {
        Prefab* prefab = gPrefabManager->FindPrefab(prefabName);
        gEditorState->SelectAutoCreate(prefab->AutoCreates.front().get());
        gEditorState->SelectedName = prefabName;
        Play().RunPass();
        return prefab;
    };

    Prefab* level = selectFirstEntryOf("Lvl_01");
    const size_t count = level->AutoCreates.size();
    AutoCreate* first = level->AutoCreates.front().get();
    const std::string firstName = first->Name;
    for (const EdButtonBhv* button : {entries.BtnRemove, entries.BtnDuplicate, entries.BtnMoveDown, entries.BtnAdd}) {
        ClickOn(*button);
        EXPECT_EQ(StatusText(), "Lvl_01 is the level being edited: change its things in the level");
        ShowEditorNotice("");
    }
    inspector.OnNameChanged("Renamed");
    EXPECT_EQ(StatusText(), "Lvl_01 is the level being edited: change its things in the level");
    EXPECT_EQ(level->AutoCreates.size(), count);
    EXPECT_EQ(level->AutoCreates.front().get(), first);
    EXPECT_EQ(first->Name, firstName);
    EXPECT_FALSE(level->Modified);
    EXPECT_FALSE(gEditorState->PrefabPicker->Dialog->IsOpen()) << "no pick for an entry that cannot be added";
    EXPECT_TRUE(gPrefabManager->ModifiedPrefabNames().empty()) << "Save all would write over the level shown";

    Prefab* pistol = selectFirstEntryOf("Pkup_Pistol");
    const size_t pistolCount = pistol->AutoCreates.size();
    ClickOn(*entries.BtnRemove);
    EXPECT_EQ(pistol->AutoCreates.size(), pistolCount - 1);
    EXPECT_TRUE(pistol->Modified);
}

// What the game finds by name stays as it is unless the designer says so: a level's
// prefab, named by the level list, is removed or renamed only after a question that
// names the list, and the level and its groups are not renamed at all, with the reason.
TEST_F(LevelEditorTest, ALevelsPrefabGoesOnlyWhenAskedAndTheLevelAndItsGroupsKeepTheirNames) {
    Press(Key::Tab);
    auto& prefabs = *EditorObject({"EdPalettesRoot", "PalPrefabList"})->GetComponent<EdPalPrefabListBhv>();
    const GameObject* dialog = EditorObject({"EdDialogsRoot", "EdDlgMessageBox"});
    EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
    const auto question = [dialog] {
        return dialog->DrawEnabled != 0 ? dialog->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title
                                        : std::string("(no question)");
    };

    // The third level's prefab, removed from the filtered list: asked; Esc keeps it and
    // its file through "Save all"; the answer "Remove" removes it as before.
    const std::string level3 = ReadFile(LevelFile("Lvl_03"));
    EnterInField(*prefabs.FilterField, "Lvl_03");
    ASSERT_EQ(prefabs.Items.front()->Label, "Lvl_03");
    ClickOn(*prefabs.Items.front());
    ASSERT_EQ(gEditorState->SelectedName, "Lvl_03");
    ClickOn(*prefabs.BtnRemove);
    EXPECT_EQ(question(), "Lvl_03 is listed as a level by LevelList. Remove it?");
    Press(Key::Esc);
    ASSERT_EQ(dialog->DrawEnabled, 0);
    EXPECT_NE(gPrefabManager->FindPrefab("Lvl_03"), nullptr);
    ClickOn(*prefabs.BtnSaveAll);
    EXPECT_TRUE(ReadFile(LevelFile("Lvl_03")) == level3) << "Save all left the level's file as it was";
    ClickOn(*prefabs.BtnRemove);
    ASSERT_EQ(dialog->DrawEnabled, 1);
    Press(Key::OemEnter);
    EXPECT_EQ(gPrefabManager->FindPrefab("Lvl_03"), nullptr);

    // The level being edited, renamed in the inspector: asked too; Esc keeps its name.
    Prefab* level1 = gPrefabManager->FindPrefab("Lvl_01");
    gEditorState->SelectPrefab(level1);
    gEditorState->SelectedName = "Lvl_01";
    Play().RunPass();
    EnterInField(*inspector.NameRow->ValueField, "Lvl_01b");
    EXPECT_EQ(question(), "Lvl_01 is listed as a level by LevelList. Rename it?");
    Press(Key::Esc);
    EXPECT_EQ(gPrefabManager->FindPrefab("Lvl_01"), level1);
    EXPECT_EQ(gPrefabManager->FindPrefab("Lvl_01b"), nullptr);
    EXPECT_FALSE(level1->Modified);

    // The level's groups and the level itself keep their names, through a play-test and
    // the return to the editor that rebuilds the level into its groups.
    const std::vector<GameObject*> groups = Level()->Children;
    std::vector<std::string> groupNames;
    for (const GameObject* group : groups) {
        groupNames.push_back(group->Name);
    }
    ASSERT_EQ(groupNames.size(), 4u);
    for (const auto& [object, typed] : {std::pair{groups[0], "Foo"}, {groups[3], "Bar"}, {Level(), "Layers"}}) {
        const std::string name = object->Name;
        gEditorState->SelectObject(object);
        Play().RunPass();
        EnterInField(*inspector.NameRow->ValueField, typed);
        EXPECT_EQ(object->Name, name);
        EXPECT_EQ(StatusText(), "Cannot rename " + name + ": the game finds the level and its groups by name");
        Play().RunPass();
        EXPECT_EQ(inspector.NameRow->ValueField->Text, name);
    }
    Strike(Key::F1);
    Strike(Key::F2);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    EXPECT_EQ(Level()->Children, groups);
    EXPECT_EQ(Level()->Children.size(), groupNames.size());
    for (size_t i = 0; i < groups.size() && i < Level()->Children.size(); ++i) {
        EXPECT_EQ(Level()->Children[i]->Name, groupNames[i]);
    }
    EXPECT_EQ(Things("Player").size(), 1u);
}

// A designer's session from start to a fresh start: renaming a prefab that the levels
// use asks and going back changes nothing, the level's groups cannot be removed, a
// pick-up moved in the inspector is saved with the level, and the game started anew on
// the saved content plays that level to its exit through the pick-up where it was put.
TEST_F(LevelEditorTest, ADesignersSessionIsSavedWholeAndTheEditedLevelPlaysAfterARestart) {
    Press(Key::Tab);
    auto& prefabs = *EditorObject({"EdPalettesRoot", "PalPrefabList"})->GetComponent<EdPalPrefabListBhv>();
    auto& objects = *EditorObject({"EdPalettesRoot", "PalObjectList"})->GetComponent<EdPalObjectListBhv>();
    GameObject* dialog = EditorObject({"EdDialogsRoot", "EdDlgMessageBox"});
    EdPalObjectEditBhv& inspector = *gEditorState->ObjectEditPalette;
    const auto clickOn = [this](const IEdUiElement& element) {
        MouseAt(Vector2(element.Rect.X + element.Rect.Width / 2.0f, element.Rect.Y + element.Rect.Height / 2.0f),
                DrawLayer::Editor);
        mPlay->RunPass();
        Press(Key::LeftMouse);
    };

    // Filter the prefabs, pick "Exit", type a new name: the levels that use it are named
    // and nothing happens until the designer answers; Esc goes back.
    Prefab* exit = gPrefabManager->FindPrefab("Exit");
    ASSERT_NE(exit, nullptr);
    const std::string exitFile = ReadFile(LevelFile("Exit"));
    EnterInField(*prefabs.FilterField, "exit");
    const auto exitRow = std::find_if(prefabs.Items.begin(), prefabs.Items.end(),
                                      [](const EdListItemBhv* row) { return row->Label == "Exit"; });
    ASSERT_NE(exitRow, prefabs.Items.end());
    clickOn(**exitRow);
    ASSERT_EQ(gEditorState->SelectedPrefab, exit);
    EnterInField(*inspector.NameRow->ValueField, "ExitX");
    ASSERT_EQ(dialog->DrawEnabled, 1);
    const std::string question = dialog->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title;
    EXPECT_EQ(question.rfind("Exit is auto-created by Lvl_01, Lvl_02, Lvl_03 and ", 0), 0u) << question;
    Press(Key::Esc);
    Play().RunPass();
    EXPECT_EQ(dialog->DrawEnabled, 0);
    EXPECT_EQ(gPrefabManager->FindPrefab("Exit"), exit);
    EXPECT_EQ(gPrefabManager->FindPrefab("ExitX"), nullptr);
    EXPECT_FALSE(exit->Modified);
    EXPECT_EQ(inspector.NameRow->ValueField->Text, "Exit");

    // The group of the level's moving things stays, with everything in it.
    GameObject* movers = Level()->FindChild("Layer2Mut");
    const size_t moverCount = movers->Children.size();
    gEditorState->SelectObject(movers);
    Play().RunPass();
    clickOn(*objects.BtnRemove);
    Play().RunPass();
    EXPECT_EQ(movers->PendingDestroy, 0);
    EXPECT_EQ(Level()->FindChild("Layer2Mut"), movers);
    EXPECT_EQ(movers->Children.size(), moverCount);
    EXPECT_EQ(StatusText(), "Cannot remove Layer2Mut");

    // The pistol goes to the other side of the first wall, typed into the inspector.
    const Vector2 placed(-9.0f, 6.0f);
    GameObject* pistol = Things("Pkup_Pistol").front();
    gEditorState->SelectObject(pistol);
    EnterInField(InspectorField("B2BodyCmp", "  Pos.X"), "-9");
    EnterInField(InspectorField("B2BodyCmp", "  Pos.Y"), "6");
    ExpectNear(pistol->GetPos(), placed);
    EXPECT_EQ(FindUnsavedWork().Describe(), "level");
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(StatusText(), "Saved Lvl_01");
    EXPECT_TRUE(FindUnsavedWork().IsEmpty());
    EXPECT_EQ(ReadFile(LevelFile("Exit")), exitFile);

    // A fresh start of the game on what the session saved.
    TempFolder saved;
    fs::copy(Play().Content->Path() / "Prefabs", saved.Path(), fs::copy_options::recursive);
    mPlay.reset();
    mPlay = std::make_unique<PlayHarness>();
    fs::copy(saved.Path(), mPlay->Content->Path() / "Prefabs",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    mPlay->StartInLevel();
    mPlay->RunPass();
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    ASSERT_EQ(Things("Pkup_Pistol").size(), 1u);
    ExpectNear(Things("Pkup_Pistol").front()->GetPos(), placed);
    ASSERT_EQ(Things("Exit").size(), 1u);

    Autopilot pilot(*mPlay);
    for (int pass = 0; pass < 60 * 60 && Play().CueCount("ExitReached") == 0; ++pass) {
        pilot.Step();
        ASSERT_EQ(Play().CueCount("PlayerRespawn"), 0) << "the player died";
    }
    EXPECT_EQ(Play().CueCount("PistolPickup"), 1);
    EXPECT_EQ(Play().CueCount("ExitReached"), 1);
}

}  // namespace
