#include "object/Behavior.h"

#include "object/Coroutine.h"
#include "object/GameObject.h"

Behavior::~Behavior() {
    for (auto& entry : Coroutines) {
        delete entry.second;
    }
    Coroutines.clear();
    if (Owner != nullptr) {
        Owner->RemoveComponent(this);
    }
}

void Behavior::AddChild(GameObject* child) {
    Owner->AddChild(child);
}

GameObject* Behavior::FindChild(const std::string& name) const {
    return Owner != nullptr ? Owner->FindChild(name) : nullptr;
}
