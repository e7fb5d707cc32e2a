#include "editor/widgets/EdInput.h"

#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/ObjectPicking.h"

namespace EdInput {

Vector2 Mouse() {
    return gInputManager != nullptr ? ScreenToLayer(DrawLayer::Editor, gInputManager->MousePosition) : Vector2();
}

Vector2 MousePrevious() {
    return gInputManager != nullptr ? ScreenToLayer(DrawLayer::Editor, gInputManager->MousePositionPrevious)
                                    : Vector2();
}

Vector2 MouseAt(const KeyStroke& stroke) {
    return ScreenToLayer(DrawLayer::Editor, stroke.Mouse);
}

std::vector<KeyStroke> Strokes() {
    return gInputManager != nullptr ? gInputManager->Strokes() : std::vector<KeyStroke>();
}

bool IsPressed(Key key) {
    return gInputManager != nullptr && gInputManager->IsKeyPressed(key);
}

bool IsDown(Key key) {
    return gInputManager != nullptr && gInputManager->IsKeyDown(key);
}

bool IsTyped(Key key) {
    return gInputManager != nullptr && gInputManager->IsKeyTyped(key);
}

bool IsCtrlDown() {
    return IsDown(Key::Ctrl);
}

bool IsShiftDown() {
    return IsDown(Key::Shift) || IsDown(Key::RightShift);
}

Vector2 TypedNudge() {
    Vector2 d;
    if (IsTyped(Key::Left)) {
        d.X = -1.0f;
    }
    if (IsTyped(Key::Right)) {
        d.X += 1.0f;
    }
    if (IsTyped(Key::Up)) {
        d.Y = -1.0f;
    }
    if (IsTyped(Key::Down)) {
        d.Y += 1.0f;
    }
    return IsShiftDown() ? d * 10.0f : d;
}

}  // namespace EdInput
