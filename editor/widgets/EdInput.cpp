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

std::optional<KeyStroke> FindStroke(Key key) {
    for (const KeyStroke& stroke : Strokes()) {
        if (stroke.Key == KeyCode(key)) {
            return stroke;
        }
    }
    return std::nullopt;
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

namespace {

// -1, 0 or +1 along one axis; *shift is set when Shift was held at either stroke.
float NudgeAlong(Key negative, Key positive, bool* shift) {
    float step = 0.0f;
    if (const auto stroke = FindStroke(negative)) {
        step -= 1.0f;
        *shift = *shift || stroke->Shift;
    }
    if (const auto stroke = FindStroke(positive)) {
        step += 1.0f;
        *shift = *shift || stroke->Shift;
    }
    return step;
}

}  // namespace

Vector2 TypedNudge() {
    bool shift = false;
    const float x = NudgeAlong(Key::Left, Key::Right, &shift);
    const float y = NudgeAlong(Key::Up, Key::Down, &shift);
    const Vector2 d(x, y);
    return shift ? d * 10.0f : d;
}

}  // namespace EdInput
