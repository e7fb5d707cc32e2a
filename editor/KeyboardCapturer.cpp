#include "editor/KeyboardCapturer.h"

bool KeyboardCapturer::AnyHoldsKeyboardBelow(const GameObject* root) {
    return AnyListedBelow(root, [](const KeyboardCapturer& capturer) { return capturer.HoldsKeyboard(); });
}

bool KeyboardCapturer::AnyHoldsKeyboardThisPassBelow(const GameObject* root) {
    return AnyListedBelow(root, [](const KeyboardCapturer& capturer) { return capturer.HoldsKeyboardThisPass(); });
}
