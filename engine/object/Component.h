#pragma once

#include <cstdint>

class GameObject;

// Base of every component. Data components add IEditable as their second base;
// behaviours derive from Behavior.
class Component {
public:
    Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    // Detaches from the owner; a component queued for removal leaves the queue.
    virtual ~Component();

    // Moves the component within its owner's list (and the behaviour list alike).
    // Returns whether its position in the component list changed.
    bool MoveInOwner(int offset);

    GameObject* Owner = nullptr;
    uint8_t PendingDelete = 0;
};
