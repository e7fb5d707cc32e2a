#pragma once

#include <cassert>
#include <map>
#include <string>
#include <type_traits>

#include "object/Component.h"
#include "object/Coroutine.h"
#include "object/IComponentShortcuts.h"
#include "object/IEditable.h"

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

    // This behaviour's coroutine of the body, created on first use: one per body.
    // Start it with Coroutine::Start, stop it with Coroutine::Stop.
    template <class T>
    Coroutine* FindOrCreateCoroutine(CoCommand (T::*body)(int step)) {
        static_assert(std::is_base_of_v<Behavior, T>, "coroutine bodies are behaviour members");
        assert(dynamic_cast<T*>(this) != nullptr && "body of another behaviour class");
        T* self = static_cast<T*>(this);
        const int id = (self->*body)(CoroutineIdStep).Value;
        return FindOrCreateCoroutineWithId(id, [self, body](int step) { return (self->*body)(step); });
    }

    std::map<int, Coroutine*> Coroutines;

private:
    Coroutine* FindOrCreateCoroutineWithId(int id, CoroutineBody body);
};
