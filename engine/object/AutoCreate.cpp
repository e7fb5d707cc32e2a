#include "object/AutoCreate.h"

#include <algorithm>
#include <utility>

#include "object/Prefab.h"

void (*gAutoCreateDeletingHook)(const AutoCreate* entry) = nullptr;

AutoCreate::~AutoCreate() {
    if (gAutoCreateDeletingHook != nullptr) {
        gAutoCreateDeletingHook(this);
    }
}

std::unique_ptr<AutoCreate> AutoCreate::Clone(const AutoCreate& source) {
    auto copy = std::make_unique<AutoCreate>();
    copy->Name = source.Name;
    copy->Prefab = source.Prefab;
    for (const auto& entry : source.InstanceProperties) {
        copy->InstanceProperties.push_back(PrefabComponent::Clone(*entry));
    }
    return copy;
}

void AutoCreate::Move(int offset) {
    if (Owner == nullptr) {
        return;
    }
    auto& entries = Owner->AutoCreates;
    const auto it = std::find_if(entries.begin(), entries.end(), [this](const auto& e) { return e.get() == this; });
    if (it == entries.end()) {
        return;
    }
    const long index = it - entries.begin();
    const long target = index + offset;
    if (target < 0 || target >= static_cast<long>(entries.size())) {
        return;
    }
    std::swap(entries[index], entries[target]);
    Owner->Modified = true;
}
