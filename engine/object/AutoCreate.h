#pragma once

#include <memory>
#include <string>

#include "object/PrefabComponent.h"

class Prefab;

// A child that a prefab creates: another prefab, with per-instance overrides applied
// after that prefab's own components.
class AutoCreate {
public:
    virtual ~AutoCreate() = default;

    // A deep copy with no owner; the caller sets it.
    static std::unique_ptr<AutoCreate> Clone(const AutoCreate& source);

    // Swaps the entry with the one offset places away in its owner's list and marks the
    // owner modified; nothing without an owner or when the target is out of range.
    void Move(int offset);

    ::Prefab* Owner = nullptr;
    // The child object's name; empty means the child is named after the prefab.
    std::string Name;
    // The name of the prefab to build the child from.
    std::string Prefab;
    PrefabComponentList InstanceProperties;
};
