#include "editor/tools/EdSpritePickerBhv.h"

#include "editor/EditorState.h"
#include "editor/widgets/EdInput.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/SceneRoots.h"

EdSpritePickerBhv::EdSpritePickerBhv() : KeyboardCapturer(this) {}

EdSpritePickerBhv::~EdSpritePickerBhv() {
    if (gEditorState != nullptr && gEditorState->SpritePicker == this) {
        gEditorState->SpritePicker = nullptr;
    }
}

void EdSpritePickerBhv::Start() {
    if (gEditorState != nullptr) {
        gEditorState->SpritePicker = this;
    }
    // A prefab cannot store object flags: the tool starts idle here.
    SetToolObjectFlags(Owner, 0);
}

void EdSpritePickerBhv::Engage() {
    if (Engaged != 0) {
        return;
    }
    Engaged = 1;
    SetToolObjectFlags(Owner, 1);
    if (gEditorState != nullptr) {
        gEditorState->ToolEngaged = 1;
    }
    Paused.Pause();
}

void EdSpritePickerBhv::EndPick() {
    Engaged = 0;
    SetToolObjectFlags(Owner, 0);
    if (gEditorState != nullptr) {
        gEditorState->ToolEngaged = 0;
    }
    Paused.Resume();
}

// Esc and the click act in the order of the pass's keys, the click where the mouse was
// as it went down.
void EdSpritePickerBhv::CaptureStroke(const KeyStroke& stroke) {
    if (Engaged == 0) {
        return;
    }
    if (EdInput::IsPress(stroke, Key::Esc)) {
        EndPick();
        return;
    }
    if (!EdInput::IsPress(stroke, Key::LeftMouse)) {
        return;
    }
    GameObject* hit = nullptr;
    PickObjectAt(gGameplayRoot, &hit, stroke.Mouse, nullptr);
    // An editor icon stands for the thing it belongs to.
    if (hit != nullptr && hit->Name == "EditorIcon" && hit->Parent != nullptr) {
        hit = hit->Parent;
    }
    if (hit != nullptr && gEditorState != nullptr) {
        gEditorState->SelectObject(hit);
        gEditorState->InsertParent = hit;
    }
    EndPick();
}
