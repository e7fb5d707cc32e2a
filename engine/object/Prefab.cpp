#include "object/Prefab.h"

#include <algorithm>

#include "object/Behavior.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/MissingContent.h"
#include "object/PrefabManager.h"

namespace {

// The first component of the object whose registered type is type, seen as editable.
IEditable* FindComponentOfType(const GameObject& object, const std::type_info& type) {
    for (Component* component : object.Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && editable->Type != nullptr && *editable->Type == type) {
            return editable;
        }
    }
    return nullptr;
}

// Starts the behaviours that the instantiation added, not those the object had before,
// by index so that behaviours added by a Start are started too.
void StartAddedBehaviors(GameObject& object, const std::vector<Behavior*>& existing) {
    for (size_t i = 0; i < object.Behaviors.size(); ++i) {
        Behavior* behavior = object.Behaviors[i];
        if (std::find(existing.begin(), existing.end(), behavior) == existing.end()) {
            behavior->Start();
        }
    }
}

std::string DescribeChain(const std::vector<const Prefab*>& chain, const std::string& last) {
    std::string text;
    for (const Prefab* prefab : chain) {
        text += prefab->Name + " -> ";
    }
    return text + last;
}

// "Boss.003" -> "Boss": a trailing "." and three digits are dropped.
std::string NumberedNameBase(const std::string& name) {
    const size_t n = name.size();
    if (n > 4 && name[n - 4] == '.' &&
        std::all_of(name.end() - 3, name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return name.substr(0, n - 4);
    }
    return name;
}

}  // namespace

void (*gPrefabDeletingHook)(const Prefab* prefab) = nullptr;

Prefab::~Prefab() {
    if (gPrefabDeletingHook != nullptr) {
        gPrefabDeletingHook(this);
    }
}

bool IsValidPrefabName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos;
}

std::filesystem::path Prefab::GetFilePath() const {
    return gPrefabManager->GetPrefabFile(Name);
}

void Prefab::Instantiate(GameObject* target, const PrefabComponentList* overrides) const {
    std::vector<const Prefab*> chain;
    InstantiateWithin(target, overrides, chain);
}

void Prefab::InstantiateWithin(GameObject* target, const PrefabComponentList* overrides,
                               std::vector<const Prefab*>& chain) const {
    const std::vector<Behavior*> existing = target->Behaviors;
    chain.push_back(this);
    target->PrefabName = Name;
    ApplyComponentList(target, Components, true);
    if (overrides != nullptr) {
        ApplyComponentList(target, *overrides, false);
    }
    for (size_t i = 0; i < AutoCreates.size(); ++i) {
        const AutoCreate& entry = *AutoCreates[i];
        const Prefab* childPrefab = FindAutoCreated(entry, chain);
        if (childPrefab == nullptr) {
            continue;
        }
        auto* child = new GameObject();
        child->Name = entry.Name.empty() ? entry.Prefab : entry.Name;
        target->AddChild(child);
        childPrefab->InstantiateWithin(child, &entry.InstanceProperties, chain);
    }
    chain.pop_back();
    StartAddedBehaviors(*target, existing);
}

const Prefab* Prefab::FindAutoCreated(const AutoCreate& entry, const std::vector<const Prefab*>& chain) const {
    const Prefab* prefab = gPrefabManager->FindPrefab(entry.Prefab);
    if (prefab == nullptr) {
        // Renamed or removed in the editor, or never there: the rest of the object (a
        // whole level) still plays.
        WarnMissingAutoCreated(*this, entry.Prefab);
        return nullptr;
    }
    // A prefab that creates itself, directly or through others, would recurse for ever:
    // the rest of it is built, without the repeat.
    if (std::find(chain.begin(), chain.end(), prefab) != chain.end()) {
        WarnAutoCreateCycle(*this, prefab->Name, DescribeChain(chain, prefab->Name));
        return nullptr;
    }
    return prefab;
}

void Prefab::ApplyComponentList(GameObject* target, const PrefabComponentList& list, bool alwaysCreate) const {
    for (size_t i = 0; i < list.size(); ++i) {
        const PrefabComponent& entry = *list[i];
        const ComponentTypeEntry* type = gPrefabManager->FindComponentType(entry.TypeName);
        if (type == nullptr) {
            throw ContentError(GetFilePath(), "component type '" + entry.TypeName + "' is not registered");
        }
        IEditable* component = alwaysCreate ? nullptr : FindComponentOfType(*target, *type->Type);
        if (component == nullptr) {
            component = gPrefabManager->CreateAndAttach(entry.TypeName, target, GetFilePath());
        }
        for (const auto& [name, holder] : entry.Properties) {
            PropertyRegistration* destination = component->FindProperty(name);
            if (destination == nullptr) {
                throw ContentError(GetFilePath(),
                                   "component type '" + entry.TypeName + "' has no property '" + name + "'");
            }
            const ScopedContentRequester requester(Name, entry.TypeName, name);
            holder->CopyTo(destination);
        }
    }
}

std::unique_ptr<Prefab> Prefab::Clone(const Prefab& source) {
    auto copy = std::make_unique<Prefab>();
    copy->Name = source.Name;
    copy->Modified = true;
    for (const auto& component : source.Components) {
        copy->Components.push_back(PrefabComponent::Clone(*component));
    }
    for (const auto& entry : source.AutoCreates) {
        copy->AutoCreates.push_back(AutoCreate::Clone(*entry));
        copy->AutoCreates.back()->Owner = copy.get();
    }
    return copy;
}

bool Prefab::MakeNameUnique(const std::string& desired) {
    if (desired == Name) {
        return true;
    }
    if (!IsValidPrefabName(desired)) {
        return false;
    }
    auto& prefabs = gPrefabManager->Prefabs;
    const std::string candidate = gPrefabManager->FindFreeName(desired);
    // Re-key only the entry that is this prefab: another prefab under the old name
    // (or a prefab not yet entered) must not be erased.
    const auto old = prefabs.find(Name);
    if (old != prefabs.end() && old->second.get() == this) {
        auto node = prefabs.extract(old);
        node.key() = candidate;
        prefabs.insert(std::move(node));
    }
    Name = candidate;
    // Saved under the new name at the next save; the old file goes as stale.
    Modified = true;
    return true;
}

Prefab* Prefab::Duplicate(const Prefab& source) {
    const std::string base = NumberedNameBase(source.Name);
    std::unique_ptr<Prefab> copy = Clone(source);
    return gPrefabManager->AddPrefab(std::move(copy), base);
}

bool Prefab::MoveComponent(const PrefabComponent* entry, int offset) {
    const auto it =
        std::find_if(Components.begin(), Components.end(), [entry](const auto& c) { return c.get() == entry; });
    if (it == Components.end()) {
        return false;
    }
    const long long count = static_cast<long long>(Components.size());
    const long long index = it - Components.begin();
    const long long target = std::clamp(index + offset, 0LL, count - 1);
    if (target == index) {
        return false;
    }
    std::unique_ptr<PrefabComponent> moved = std::move(Components[index]);
    Components.erase(Components.begin() + index);
    Components.insert(Components.begin() + target, std::move(moved));
    return true;
}

void Prefab::ApplyToInstances(GameObject* root) const {
    if (root->PrefabName == Name) {
        ApplyComponentList(root, Components, false);
    }
    for (size_t i = 0; i < root->Children.size(); ++i) {
        ApplyToInstances(root->Children[i]);
    }
}
