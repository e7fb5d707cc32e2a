#include "editor/KeyTaker.h"

#include <algorithm>
#include <vector>

#include "editor/KeyboardCapturer.h"
#include "editor/widgets/EdInput.h"

namespace {

// Only a capturer that the input walk reaches can take the keys it holds: a field left
// focused in a hidden palette must not swallow the key that shows it again.
bool IsKeyboardHeld(const std::vector<KeyboardCapturer*>& capturers) {
    return std::any_of(capturers.begin(), capturers.end(),
                       [](const KeyboardCapturer* capturer) { return capturer->HoldsKeyboard(); });
}

}  // namespace

void KeyTaker::DealStrokes(const GameObject* root, const std::function<void()>& settle) {
    const std::vector<KeyStroke> strokes = EdInput::Strokes();
    for (auto stroke = strokes.begin(); stroke != strokes.end(); ++stroke) {
        const std::vector<KeyboardCapturer*> capturers = KeyboardCapturer::ListedBelow(root, true);
        // A stroke that ends an edit (the field's Enter, a click elsewhere) is the field's.
        const bool held = IsKeyboardHeld(capturers);
        for (KeyboardCapturer* capturer : capturers) {
            capturer->CaptureStroke(*stroke);
        }
        if (held) {
            settle();
            continue;
        }
        const std::span<const KeyStroke> after(stroke + 1, strokes.end());
        // Each taker in turn, until one gives the keyboard away (opens a dialog, engages
        // a tool) or a click gave it to a field.
        for (KeyTaker* taker : ListedBelow(root, true)) {
            if (IsKeyboardHeld(KeyboardCapturer::ListedBelow(root, true))) {
                break;
            }
            taker->TakeStroke(*stroke, after);
        }
        settle();
    }
}
