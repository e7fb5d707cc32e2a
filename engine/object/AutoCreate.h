#pragma once

#include <memory>
#include <string>

#include "object/PrefabComponent.h"

class Prefab;

// A child that a prefab creates: another prefab, with per-instance overrides applied
// after that prefab's own components.
class AutoCreate {
public:
    // Tells the editor (gAutoCreateDeletingHook) that the entry goes.
    virtual ~AutoCreate();

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

// Installed by the editor so that deleting an entry clears the editor's references to it.
extern void (*gAutoCreateDeletingHook)(const AutoCreate* entry);
