#include "editor/KeyboardCapturer.h"

#include <algorithm>
#include <vector>

#include "object/Component.h"
#include "object/GameObject.h"

namespace {

// Never freed: a component outliving static destruction may still leave the list.
std::vector<const KeyboardCapturer*>& LiveCapturers() {
    static auto* const live = new std::vector<const KeyboardCapturer*>();
    return *live;
}

bool IsAtOrBelow(const GameObject* object, const GameObject* root) {
    for (; object != nullptr; object = object->Parent) {
        if (object == root) {
            return true;
        }
    }
    return false;
}

}  // namespace

KeyboardCapturer::KeyboardCapturer(const Component* self) : mSelf(self) {
    LiveCapturers().push_back(this);
}

KeyboardCapturer::~KeyboardCapturer() {
    std::vector<const KeyboardCapturer*>& live = LiveCapturers();
    // Swap-and-pop: the order of the list means nothing.
    const auto found = std::find(live.begin(), live.end(), this);
    if (found != live.end()) {
        *found = live.back();
        live.pop_back();
    }
}

bool KeyboardCapturer::AnyHoldsKeyboardBelow(const GameObject* root) {
    if (root == nullptr) {
        return false;
    }
    for (const KeyboardCapturer* capturer : LiveCapturers()) {
        if (capturer->HoldsKeyboard() && IsAtOrBelow(capturer->mSelf->Owner, root)) {
            return true;
        }
    }
    return false;
}
