#include "editor/widgets/EdInput.h"

#include <optional>

#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/ObjectPicking.h"

namespace EdInput {

namespace {

std::optional<KeyStroke> FindStrokeIn(std::span<const KeyStroke> strokes, Key key) {
    for (const KeyStroke& stroke : strokes) {
        if (stroke.Key == KeyCode(key)) {
            return stroke;
        }
    }
    return std::nullopt;
}

// -1, 0 or +1 along one axis; *shift is set when Shift was held at either stroke.
float NudgeAlong(std::span<const KeyStroke> strokes, Key negative, Key positive, bool* shift) {
    float step = 0.0f;
    if (const auto stroke = FindStrokeIn(strokes, negative)) {
        step -= 1.0f;
        *shift = *shift || stroke->Shift;
    }
    if (const auto stroke = FindStrokeIn(strokes, positive)) {
        step += 1.0f;
        *shift = *shift || stroke->Shift;
    }
    return step;
}

}  // namespace

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

bool IsPress(const KeyStroke& stroke, Key key) {
    return !stroke.Repeat && stroke.Key == KeyCode(key);
}

bool IsCtrlPress(const KeyStroke& stroke, Key key) {
    return stroke.Ctrl && IsPress(stroke, key);
}

bool IsArrow(int key) {
    return key == KeyCode(Key::Left) || key == KeyCode(Key::Right) || key == KeyCode(Key::Up) ||
           key == KeyCode(Key::Down);
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

KeySet KeysDown() {
    return gInputManager != nullptr ? gInputManager->KeysDown : KeySet();
}

Vector2 NudgeOf(std::span<const KeyStroke> strokes) {
    bool shift = false;
    const float x = NudgeAlong(strokes, Key::Left, Key::Right, &shift);
    const float y = NudgeAlong(strokes, Key::Up, Key::Down, &shift);
    const Vector2 d(x, y);
    return shift ? d * 10.0f : d;
}

}  // namespace EdInput
