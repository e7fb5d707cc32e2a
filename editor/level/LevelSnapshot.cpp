#include "editor/level/LevelSnapshot.h"

#include <map>

#include "object/Component.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"

namespace {

// The first component of the object whose run-time type is the registered type.
const IEditable* FindLiveComponent(const GameObject& thing, const std::string& typeName) {
    const ComponentTypeEntry* type = gPrefabManager != nullptr ? gPrefabManager->FindComponentType(typeName) : nullptr;
    if (type == nullptr || type->Type == nullptr) {
        return nullptr;
    }
    for (const Component* component : thing.Components) {
        const auto* editable = dynamic_cast<const IEditable*>(component);
        if (editable != nullptr && editable->Type != nullptr && *editable->Type == *type->Type) {
            return editable;
        }
    }
    return nullptr;
}

// The listed properties of one component, valued from the live thing.
std::unique_ptr<PrefabComponent> RecordComponent(const GameObject& thing, const PrefabComponent& listed) {
    const IEditable* live = FindLiveComponent(thing, listed.TypeName);
    if (live == nullptr) {
        return nullptr;
    }
    auto recorded = std::make_unique<PrefabComponent>();
    recorded->TypeName = listed.TypeName;
    recorded->Type = listed.Type;
    for (const auto& [name, registration] : listed.Properties) {
        const PropertyRegistration* value = live->FindProperty(name);
        if (value == nullptr) {
            continue;
        }
        std::unique_ptr<PropertyRegistration> holder = registration->CreateValueHolder();
        value->CopyTo(holder.get());
        recorded->SetProperty(name, std::move(holder));
    }
    return recorded;
}

PrefabComponentList RecordProperties(const GameObject& thing, const AutoCreate* source) {
    PrefabComponentList properties;
    if (source == nullptr) {
        return properties;
    }
    for (const auto& listed : source->InstanceProperties) {
        if (std::unique_ptr<PrefabComponent> recorded = RecordComponent(thing, *listed)) {
            properties.push_back(std::move(recorded));
        }
    }
    return properties;
}

std::unique_ptr<AutoCreate> RecordThing(const GameObject& thing, const AutoCreate* source, Prefab& owner) {
    auto entry = std::make_unique<AutoCreate>();
    entry->Owner = &owner;
    entry->Name = thing.Name;
    entry->Prefab = thing.PrefabName;
    entry->InstanceProperties = RecordProperties(thing, source);
    return entry;
}

const AutoCreate* FindSource(const Prefab& sources, const std::string& prefabName) {
    for (const auto& entry : sources.AutoCreates) {
        if (entry->Prefab == prefabName) {
            return entry.get();
        }
    }
    return nullptr;
}

}  // namespace

bool IsMutableGroup(const GameObject& group) {
    return group.Name.find("Mut") != std::string::npos;
}

PrefabComponentList RecordThingProperties(const GameObject& thing, const Prefab& sources) {
    return RecordProperties(thing, FindSource(sources, thing.PrefabName));
}

bool IsKeptByLevel(const GameObject& thing, const IEditable& component, const std::string& property,
                   const Prefab& sources) {
    const AutoCreate* source = FindSource(sources, thing.PrefabName);
    if (source == nullptr) {
        return false;
    }
    for (const auto& listed : source->InstanceProperties) {
        if (listed->Properties.count(property) != 0 && FindLiveComponent(thing, listed->TypeName) == &component) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> FindThingsSavedIncomplete(const Prefab& level, const Prefab& sources) {
    std::vector<std::string> incomplete;
    for (const auto& entry : level.AutoCreates) {
        const AutoCreate* source = FindSource(sources, entry->Prefab);
        if (source == nullptr || entry->InstanceProperties.size() != source->InstanceProperties.size()) {
            incomplete.push_back(entry->Name + " (" + entry->Prefab + ")");
        }
    }
    return incomplete;
}

std::unique_ptr<Prefab> TakeLevelSnapshot(const GameObject& level, const Prefab& sources, bool isMutable,
                                          const std::string& levelName) {
    std::map<std::string, const AutoCreate*> sourceByPrefab;
    for (const auto& entry : sources.AutoCreates) {
        sourceByPrefab.emplace(entry->Prefab, entry.get());
    }
    auto snapshot = std::make_unique<Prefab>();
    snapshot->Name = levelName;
    snapshot->Modified = true;
    for (const GameObject* group : level.Children) {
        if (IsMutableGroup(*group) != isMutable) {
            continue;
        }
        for (const GameObject* thing : group->Children) {
            if (thing->Thing == nullptr || thing->PendingDestroy) {
                continue;
            }
            const auto source = sourceByPrefab.find(thing->PrefabName);
            const AutoCreate* listed = source != sourceByPrefab.end() ? source->second : nullptr;
            snapshot->AutoCreates.push_back(RecordThing(*thing, listed, *snapshot));
        }
    }
    return snapshot;
}

std::unique_ptr<Prefab> MergeLevelSnapshots(const Prefab& staticSnapshot, const Prefab* mutableSnapshot,
                                            const std::string& levelName) {
    std::unique_ptr<Prefab> merged = Prefab::Clone(staticSnapshot);
    merged->Name = levelName;
    merged->Modified = true;
    if (mutableSnapshot != nullptr) {
        for (const auto& entry : mutableSnapshot->AutoCreates) {
            merged->AutoCreates.push_back(AutoCreate::Clone(*entry));
            merged->AutoCreates.back()->Owner = merged.get();
        }
    }
    return merged;
}
