#include "editor/tools/EdSpriteMoverBhv.h"

#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/widgets/EdInput.h"
#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/Pos2dCmp.h"
#include "physics/B2BodyCmp.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

DrawLayer LayerOf(const GameObject& target) {
    if (const SpriteCmp* sprite = target.GetComponent<SpriteCmp>()) {
        return sprite->Layer;
    }
    if (const TextCmp* text = target.GetComponent<TextCmp>()) {
        return text->Layer;
    }
    return DrawLayer::Ui;
}

bool IsInterfaceLayer(DrawLayer layer) {
    return layer == DrawLayer::Ui || layer == DrawLayer::UiText;
}

// The component whose "Pos" a move writes: the transform, else the body, as
// GameObject::SetPos does.
const IEditable* PlaceHolder(const GameObject& target) {
    if (target.Pos2d != nullptr) {
        return target.Pos2d;
    }
    return target.B2Body;
}

}  // namespace

EdSpriteMoverBhv::EdSpriteMoverBhv() : KeyboardCapturer(this) {}

EdSpriteMoverBhv::~EdSpriteMoverBhv() {
    if (gEditorState != nullptr && gEditorState->SpriteMover == this) {
        gEditorState->SpriteMover = nullptr;
    }
}

void EdSpriteMoverBhv::Start() {
    if (gEditorState != nullptr) {
        gEditorState->SpriteMover = this;
    }
    // A prefab cannot store object flags: the tool starts idle here.
    SetToolObjectFlags(Owner, 0);
}

void EdSpriteMoverBhv::Engage() {
    if (gEditorState == nullptr || gEditorState->SelectedObject == nullptr || Target != nullptr) {
        return;
    }
    const GameObject& selected = *gEditorState->SelectedObject;
    const IEditable* place = PlaceHolder(selected);
    if (gEditorState->LevelEditor != nullptr && place != nullptr &&
        !gEditorState->LevelEditor->MayEditValue(selected, *place, "Pos")) {
        return;
    }
    SetToolObjectFlags(Owner, 1);
    gEditorState->ToolEngaged = 1;
    Target = gEditorState->SelectedObject;
    StartPos = Target->GetPos();
    Paused.Pause();
    InterfaceHidden = !IsInterfaceLayer(LayerOf(*Target));
    if (InterfaceHidden) {
        Interface.Hide();
    }
}

void EdSpriteMoverBhv::ForgetObject(const GameObject* object) {
    if (Target != nullptr && Target == object) {
        EndDrag();
    }
}

void EdSpriteMoverBhv::EndDrag() {
    SetToolObjectFlags(Owner, 0);
    if (gEditorState != nullptr) {
        gEditorState->ToolEngaged = 0;
    }
    Target = nullptr;
    Paused.Resume();
    if (InterfaceHidden) {
        Interface.Show();
        InterfaceHidden = false;
    }
}

void EdSpriteMoverBhv::ReportMove(const GameObject& target) {
    EdLevelEditorBhv* levelEditor = gEditorState != nullptr ? gEditorState->LevelEditor : nullptr;
    const IEditable* place = PlaceHolder(target);
    if (levelEditor != nullptr && place != nullptr) {
        levelEditor->OnThingValueEdited(target, *place, "Pos");
    }
}

// Ending keys and arrows act in the order of the pass's keys: a chord struck after the
// Enter finds the keyboard free, an arrow struck after it moves nothing.
void EdSpriteMoverBhv::CaptureStroke(const KeyStroke& stroke) {
    if (Target == nullptr) {
        return;
    }
    if (EdInput::IsPress(stroke, Key::Esc)) {
        Target->SetPos(StartPos);
        EndDrag();
        return;
    }
    if (EdInput::IsPress(stroke, Key::OemEnter) || EdInput::IsPress(stroke, Key::KeypadEnter) ||
        EdInput::IsPress(stroke, Key::LeftMouse)) {
        GameObject& target = *Target;
        const bool moved = target.GetPos() != StartPos;
        EndDrag();
        if (moved) {
            ReportMove(target);
        }
        return;
    }
    const Vector2 nudge = EdInput::NudgeOf(std::span(&stroke, 1));
    if (nudge.X != 0.0f || nudge.Y != 0.0f) {
        const DrawLayer layer = LayerOf(*Target);
        const Vector2 to = ScreenToLayer(layer, nudge);
        const Vector2 from = ScreenToLayer(layer, Vector2());
        MoveBy(Vector2(to.X - from.X, to.Y - from.Y));
    }
}

void EdSpriteMoverBhv::HandleInput() {
    if (Target == nullptr || gInputManager == nullptr) {
        return;
    }
    const DrawLayer layer = LayerOf(*Target);
    const Vector2 now = ScreenToLayer(layer, gInputManager->MousePosition);
    const Vector2 before = ScreenToLayer(layer, gInputManager->MousePositionPrevious);
    MoveBy(Vector2(now.X - before.X, now.Y - before.Y));
}

void EdSpriteMoverBhv::MoveBy(Vector2 move) {
    const Vector2 pos = Target->GetPos();
    Target->SetPos(Vector2(pos.X + move.X, pos.Y + move.Y));
}
