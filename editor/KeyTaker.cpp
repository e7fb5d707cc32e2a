#include "editor/KeyTaker.h"

#include <algorithm>
#include <vector>

#include "editor/KeyboardCapturer.h"
#include "editor/widgets/EdInput.h"

namespace {

// Only a capturer that the input walk reaches can take the keys it holds: a field left
// focused in a hidden palette must not swallow the key that shows it again.
std::vector<KeyboardCapturer*> ReachedCapturers(const GameObject* root) {
    return KeyboardCapturer::ListedBelow(root, true);
}

bool IsKeyboardHeld(const std::vector<KeyboardCapturer*>& capturers) {
    return std::any_of(capturers.begin(), capturers.end(),
                       [](const KeyboardCapturer* capturer) { return capturer->HoldsKeyboard(); });
}

bool IsPassedOn(const std::vector<KeyboardCapturer*>& capturers, const KeyStroke& stroke) {
    return std::any_of(capturers.begin(), capturers.end(),
                       [&stroke](const KeyboardCapturer* capturer) { return capturer->PassesOn(stroke); });
}

}  // namespace

KeyTaker::Dealt KeyTaker::DealStrokes(const GameObject* root, const std::function<void()>& settle) {
    Dealt dealt;
    KeySet struckFree;
    const std::vector<KeyStroke> strokes = EdInput::Strokes();
    for (auto stroke = strokes.begin(); stroke != strokes.end(); ++stroke) {
        const std::vector<KeyboardCapturer*> capturers = ReachedCapturers(root);
        const bool held = IsKeyboardHeld(capturers);
        const bool passedOn = held && IsPassedOn(capturers, *stroke);
        for (KeyboardCapturer* capturer : capturers) {
            capturer->CaptureStroke(*stroke);
        }
        // A stroke that ends an edit (the field's Enter, a click elsewhere), answers a
        // dialog or gives a field the focus is theirs.
        const bool heldAfter = IsKeyboardHeld(ReachedCapturers(root));
        if (held ? !passedOn || heldAfter : heldAfter) {
            dealt.KeyboardHeld = true;
            dealt.Claimed.set(static_cast<size_t>(stroke->Key));
            settle();
            continue;
        }
        dealt.KeyboardHeld = dealt.KeyboardHeld || held;
        struckFree.set(static_cast<size_t>(stroke->Key));
        const std::span<const KeyStroke> after(stroke + 1, strokes.end());
        // Each taker in turn, until one gives the keyboard away (opens a dialog, engages
        // a tool).
        for (KeyTaker* taker : ListedBelow(root, true)) {
            if (IsKeyboardHeld(ReachedCapturers(root))) {
                break;
            }
            taker->TakeStroke(*stroke, after);
        }
        settle();
    }
    // Held now: the keys down are theirs, but for those struck before they took it.
    if (IsKeyboardHeld(ReachedCapturers(root))) {
        dealt.KeyboardHeld = true;
        dealt.Claimed |= EdInput::KeysDown() & ~struckFree;
    }
    return dealt;
}
