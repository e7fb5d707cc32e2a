#pragma once

#include <map>
#include <string>

#include "object/Component.h"
#include "object/IComponentShortcuts.h"
#include "object/IEditable.h"

class Coroutine;

// A component with per-pass hooks and coroutines.
class Behavior : public Component, public IComponentShortcuts, public IEditable {
public:
    Behavior() = default;
    // Deletes the coroutines, then detaches from the owner.
    ~Behavior() override;

    // Once per behaviour when its prefab is instantiated (children first) or when the
    // editor adds it.
    virtual void Start() {}
    virtual void Update() {}
    virtual void HandleInput() {}

    // Links a parentless object as the last child of this behaviour's owner.
    void AddChild(GameObject* child);
    GameObject* FindChild(const std::string& name) const;

    std::map<int, Coroutine*> Coroutines;
};
