#include "object/Behavior.h"

#include <utility>

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

Coroutine* Behavior::FindOrCreateCoroutineWithId(int id, CoroutineBody body) {
    auto it = Coroutines.find(id);
    if (it == Coroutines.end()) {
        it = Coroutines.emplace(id, new Coroutine(this, std::move(body))).first;
    }
    return it->second;
}

GameObject* Behavior::FindChild(const std::string& name) const {
    return Owner != nullptr ? Owner->FindChild(name) : nullptr;
}
