// The JSON form of prefabs: every value a string, properties in name order, one member
// per component keyed by its type name (repeated keys kept), empty lists as "".
#include <boost/property_tree/ptree.hpp>

#include "object/Component.h"
#include "object/ContentError.h"
#include "object/JsonFile.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"

namespace pt = boost::property_tree;

namespace {

// A list member must be an object, an array or "" (an empty list).
void RequireList(const pt::ptree& tree, const std::string& what, const std::filesystem::path& file) {
    if (tree.empty() && !tree.data().empty()) {
        throw ContentError(file, what + " is the text \"" + tree.data() + "\", not a list");
    }
}

// The text of one part of a property member: the member itself for a one-part value,
// its member named after the part otherwise.
const std::string& PartText(const pt::ptree& member, const SubProperty& part, const std::string& typeName,
                            const std::filesystem::path& file) {
    if (part.ComponentName.empty()) {
        return member.data();
    }
    const auto it = member.find(part.ComponentName);
    if (it == member.not_found()) {
        throw ContentError(file, "component '" + typeName + "': property '" + part.PropertyName +
                                     "' lacks its part \"" + part.ComponentName + "\"");
    }
    return it->second.data();
}

void ReadProperties(const pt::ptree& properties, const IEditable& defaults, PrefabComponent& component,
                    const std::filesystem::path& file) {
    RequireList(properties, "component '" + component.TypeName + "'", file);
    for (const auto& [name, member] : properties) {
        // A property the type no longer has is dropped; the next save of the prefab forgets it.
        const PropertyRegistration* registration = defaults.FindProperty(name);
        if (registration == nullptr) {
            continue;
        }
        PropertyRegistration* holder = component.FindProperty(name);
        if (holder == nullptr) {
            component.SetProperty(name, registration->CreateValueHolder());
            holder = component.FindProperty(name);
        }
        for (SubProperty& part : holder->MakeSubProperties(name)) {
            PropertyFromText(part, PartText(member, part, component.TypeName, file));
        }
    }
}

pt::ptree WriteProperties(const PrefabComponent& component) {
    pt::ptree properties;
    for (const auto& [name, holder] : component.Properties) {
        const std::vector<SubProperty> parts = holder->MakeSubProperties(name);
        if (parts.size() == 1 && parts[0].ComponentName.empty()) {
            properties.push_back({name, pt::ptree(PropertyToText(parts[0]))});
            continue;
        }
        pt::ptree value;
        for (const SubProperty& part : parts) {
            value.push_back({part.ComponentName, pt::ptree(PropertyToText(part))});
        }
        properties.push_back({name, value});
    }
    return properties;
}

pt::ptree WriteAutoCreate(const AutoCreate& entry) {
    pt::ptree element;
    if (!entry.Name.empty()) {
        element.push_back({"Name", pt::ptree(entry.Name)});
    }
    if (!entry.InstanceProperties.empty()) {
        element.push_back({"InstanceProperties", Prefab::WriteComponentList(entry.InstanceProperties)});
    }
    element.push_back({"Prefab", pt::ptree(entry.Prefab)});
    return element;
}

}  // namespace

void Prefab::Load(const std::filesystem::path& file) {
    const pt::ptree tree = ReadJsonFile(file);
    ReadComponentList(RequireJsonMember(tree, "Components", file), Components, file);
    const pt::ptree& autoCreates = RequireJsonMember(tree, "AutoCreate", file);
    RequireList(autoCreates, "\"AutoCreate\"", file);
    int number = 0;
    for (const auto& [key, element] : autoCreates) {
        const std::string where = "auto-create entry " + std::to_string(++number);
        auto entry = std::make_unique<AutoCreate>();
        entry->Owner = this;
        const auto name = element.find("Name");
        entry->Name = name != element.not_found() ? name->second.data() : std::string();
        entry->Prefab = RequireJsonString(element, "Prefab", file, where);
        const auto overrides = element.find("InstanceProperties");
        if (overrides != element.not_found()) {
            ReadComponentList(overrides->second, entry->InstanceProperties, file);
        }
        AutoCreates.push_back(std::move(entry));
    }
}

void Prefab::ReadComponentList(const pt::ptree& list, PrefabComponentList& out, const std::filesystem::path& file) {
    RequireList(list, "a component list", file);
    for (const auto& [typeName, properties] : list) {
        const IEditable* defaults = gPrefabManager->FindDefaultInstance(typeName);
        if (defaults == nullptr) {
            throw ContentError(file, "component type '" + typeName + "' is not registered");
        }
        // Registered for the editor, but nothing an object can be built with.
        if (dynamic_cast<const Component*>(defaults) == nullptr) {
            throw ContentError(file, "type '" + typeName + "' is not a component");
        }
        auto component = std::make_unique<PrefabComponent>();
        component->TypeName = typeName;
        component->Type = defaults->Type;
        ReadProperties(properties, *defaults, *component, file);
        out.push_back(std::move(component));
    }
}

pt::ptree Prefab::WriteComponentList(const PrefabComponentList& list) {
    pt::ptree tree;
    for (const auto& component : list) {
        // Appended, never merged: two components of one type are two members.
        tree.push_back({component->TypeName, WriteProperties(*component)});
    }
    return tree;
}

void Prefab::Save() {
    // A journal left standing may name this prefab's temporary file.
    gPrefabManager->FinishEarlierSave();
    StagedFile staged = Stage();
    PutInPlace(staged);
}

StagedFile Prefab::Stage() const {
    const std::filesystem::path file = gPrefabManager->GetPrefabFolder() / (Name + ".json");
    if (!IsValidPrefabName(Name)) {
        throw ContentError(file, "prefab name '" + Name + "' cannot be used as a file name");
    }
    pt::ptree tree;
    tree.push_back({"Components", WriteComponentList(Components)});
    pt::ptree autoCreates;
    for (const auto& entry : AutoCreates) {
        autoCreates.push_back({"", WriteAutoCreate(*entry)});
    }
    tree.push_back({"AutoCreate", autoCreates});
    return StageJsonFile(file, tree);
}

void Prefab::PutInPlace(StagedFile& staged) {
    staged.PutInPlace();
    gPrefabManager->NoteSavedFile(Name, staged.File());
    Modified = false;
}
