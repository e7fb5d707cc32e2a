#include "object/Component.h"

#include <algorithm>

#include "object/Behavior.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"

namespace {

// Moves the element at index i by offset, clamped to the vector. Returns whether it moved.
template <class T>
bool MoveClamped(std::vector<T>& items, T item, int offset) {
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) {
        return false;
    }
    const int count = static_cast<int>(items.size());
    const int i = static_cast<int>(it - items.begin());
    const int k = std::clamp(i + offset, 0, count - 1);
    if (k == i) {
        return false;
    }
    items.erase(items.begin() + i);
    items.insert(items.begin() + k, item);
    return true;
}

}  // namespace

Component::~Component() {
    if (PendingDelete) {
        ForgetQueuedComponent(this);
    }
    if (Owner != nullptr) {
        Owner->RemoveComponent(this);
    }
}

bool Component::MoveInOwner(int offset) {
    if (Owner == nullptr) {
        return false;
    }
    const bool moved = MoveClamped(Owner->Components, this, offset);
    if (!moved) {
        return false;
    }
    // Behaviors keeps the relative order of Components: rebuild it from the new order
    // rather than moving by the same offset, which can disagree when data components
    // sit between behaviours.
    if (dynamic_cast<Behavior*>(this) != nullptr) {
        Owner->RebuildBehaviorOrder();
    }
    return true;
}
