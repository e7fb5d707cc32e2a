#include "editor/KeyboardCapturer.h"

bool KeyboardCapturer::AnyHoldsKeyboardThisPassBelow(const GameObject* root) {
    return AnyListedBelow(root, [](const KeyboardCapturer& capturer) { return capturer.HoldsKeyboardThisPass(); });
}
