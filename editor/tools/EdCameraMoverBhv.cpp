#include "editor/tools/EdCameraMoverBhv.h"

#include "editor/widgets/EdInput.h"
#include "render/Graphics.h"

EdCameraMoverBhv::EdCameraMoverBhv() : KeyboardCapturer(this), KeyTaker(this) {
    RegisterProperty(&MoveIncrement, "MoveIncrement");
    RegisterProperty(&ZoomFactor, "ZoomFactor");
    RegisterProperty(&IsStandalone, "IsStandalone");
}

void EdCameraMoverBhv::Activate() {
    if (Engaged != 0) {
        return;
    }
    Engaged = 1;
    // Without a renderer the camera starts from the world camera's defaults.
    SavedCamera = gGraphics != nullptr ? gGraphics->WorldCamera : Camera2d::MakeWorld(1280, 720);
    EditorCamera = SavedCamera;
    Paused.Pause();
}

void EdCameraMoverBhv::Deactivate() {
    if (Engaged == 0) {
        return;
    }
    Engaged = 0;
    if (gGraphics != nullptr) {
        gGraphics->WorldCamera = SavedCamera;
    }
    Paused.Resume();
}

void EdCameraMoverBhv::Update() {
    if (Engaged != 0 && gGraphics != nullptr) {
        gGraphics->WorldCamera = EditorCamera;
    }
}

void EdCameraMoverBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (IsStandalone && EdInput::IsCtrlPress(stroke, Key::F)) {
        Activate();
    }
}

// Standalone, its Esc ends it in the order of the pass's keys: a chord struck after it
// finds the keyboard free.
void EdCameraMoverBhv::CaptureStroke(const KeyStroke& stroke) {
    if (IsStandalone && EdInput::IsPress(stroke, Key::Esc)) {
        Deactivate();
    }
}

void EdCameraMoverBhv::HandleInput() {
    if (Engaged == 0) {
        return;
    }
    if (EdInput::IsTyped(Key::W)) {
        EditorCamera.Position.Y += MoveIncrement;
    }
    if (EdInput::IsTyped(Key::S)) {
        EditorCamera.Position.Y -= MoveIncrement;
    }
    if (EdInput::IsTyped(Key::D)) {
        EditorCamera.Position.X += MoveIncrement;
    }
    if (EdInput::IsTyped(Key::A)) {
        EditorCamera.Position.X -= MoveIncrement;
    }
    if (EdInput::IsTyped(Key::Equals)) {
        EditorCamera.Scale.X /= ZoomFactor;
        EditorCamera.Scale.Y /= ZoomFactor;
    }
    if (EdInput::IsTyped(Key::OemMinus)) {
        EditorCamera.Scale.X *= ZoomFactor;
        EditorCamera.Scale.Y *= ZoomFactor;
    }
}
