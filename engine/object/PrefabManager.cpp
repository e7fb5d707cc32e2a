#include "object/PrefabManager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "object/Component.h"
#include "object/ContentError.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"

PrefabManager* gPrefabManager = nullptr;
PrefabManager::TypeRegistrar gComponentTypeRegistrar = nullptr;

namespace {

bool HasJsonExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".json";
}

bool IsRegularFile(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error);
}

// One error naming the first file, with the others after it.
void ThrowCombined(const std::vector<ContentError>& failures) {
    if (failures.empty()) {
        return;
    }
    std::string problem = failures.front().Problem();
    for (size_t i = 1; i < failures.size(); ++i) {
        problem += "; and " + std::string(failures[i].what());
    }
    throw ContentError(failures.front().File(), problem);
}

}  // namespace

PrefabManager::~PrefabManager() = default;

void PrefabManager::Init(TypeRegistrar registerTypes) {
    if (registerTypes == nullptr) {
        throw std::logic_error("PrefabManager::Init: no component type table installed");
    }
    registerTypes(*this);
    for (const auto& [name, entry] : ComponentTypes) {
        DefaultInstances[name] = entry.Create();
    }
    LoadPrefabFolder();
}

void PrefabManager::LoadPrefabFolder() {
    const std::filesystem::path folder = GetPrefabFolder();
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        throw ContentError(folder, "cannot list the prefab folder: " + error.message());
    }
    for (const std::filesystem::directory_entry& entry : it) {
        const std::filesystem::path& file = entry.path();
        if (!IsRegularFile(entry) || !HasJsonExtension(file)) {
            continue;
        }
        const std::string name = file.stem().string();
        // Two files differing only in the case of their extension would silently lose one.
        if (const auto known = mKnownFiles.find(name); known != mKnownFiles.end()) {
            throw ContentError(file, "a second file for prefab '" + name + "' (the first is '" +
                                         known->second.generic_string() + "')");
        }
        auto prefab = std::make_unique<Prefab>();
        prefab->Name = name;
        mKnownFiles[name] = file;
        mFileNames[prefab.get()] = name;
        prefab->Load(file);
        Prefabs[name] = std::move(prefab);
    }
}

std::filesystem::path PrefabManager::GetPrefabFolder() const {
    if (gGameConfig != nullptr && !gGameConfig->DevelopmentContentPath.empty()) {
        std::filesystem::path development = std::filesystem::path(gGameConfig->DevelopmentContentPath) / "Prefabs";
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(development, error);
        if (!error && std::filesystem::exists(status)) {
            return development;
        }
    }
    return "Content/Prefabs";
}

std::filesystem::path PrefabManager::GetPrefabFile(const std::string& name) const {
    if (const auto known = mKnownFiles.find(name); known != mKnownFiles.end()) {
        return known->second;
    }
    return GetPrefabFolder() / (name + ".json");
}

std::vector<std::string> PrefabManager::ModifiedPrefabNames() const {
    std::vector<std::string> names;
    for (const auto& [name, prefab] : Prefabs) {
        if (prefab != nullptr && prefab->Modified) {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string> PrefabManager::RemovedPrefabNames() const {
    std::vector<std::string> names;
    for (const auto& [name, file] : mKnownFiles) {
        if (Prefabs.count(name) == 0) {
            names.push_back(name);
        }
    }
    if (names.empty()) {
        return names;
    }
    // The old names of renamed prefabs go with the save of the prefab under its new name.
    std::set<std::string> formerNames;
    for (const auto& [name, prefab] : Prefabs) {
        if (const auto former = mFileNames.find(prefab.get()); former != mFileNames.end()) {
            formerNames.insert(former->second);
        }
    }
    std::erase_if(names, [&formerNames](const std::string& name) { return formerNames.count(name) != 0; });
    return names;
}

void PrefabManager::SaveModifiedPrefabs() {
    // Two prefabs may have swapped names: were each file written and put in place in
    // turn, a crash between them would leave one prefab on disk nowhere. Saving comes
    // before any deletion: the old file of a renamed prefab may go only once the prefab
    // is safely on disk under its new name, so none goes while any save fails.
    std::vector<ContentError> failures;
    std::set<const Prefab*> unsaved;
    std::vector<StagedPrefab> staged = StageModifiedPrefabs(failures, unsaved);
    PutStagedInPlace(staged, failures, unsaved);
    ThrowCombined(failures);
    DeleteStaleFiles(failures);
    ThrowCombined(failures);
}

std::vector<PrefabManager::StagedPrefab> PrefabManager::StageModifiedPrefabs(std::vector<ContentError>& failures,
                                                                             std::set<const Prefab*>& unsaved) {
    std::vector<StagedPrefab> staged;
    for (const auto& [name, prefab] : Prefabs) {
        if (!prefab->Modified) {
            continue;
        }
        try {
            staged.push_back({prefab.get(), prefab->Stage()});
        } catch (const ContentError& e) {
            failures.push_back(e);
            unsaved.insert(prefab.get());
        }
    }
    return staged;
}

void PrefabManager::PutStagedInPlace(std::vector<StagedPrefab>& staged, std::vector<ContentError>& failures,
                                     std::set<const Prefab*>& unsaved) {
    std::set<std::string> replaced;
    for (auto& [prefab, file] : staged) {
        const Prefab* former = FindFormerOwner(prefab->Name, prefab);
        if (former != nullptr && unsaved.count(former) != 0) {
            failures.emplace_back(file.File(), "not written: it still holds the prefab now named '" + former->Name +
                                                  "', which could not be saved");
            unsaved.insert(prefab);
            continue;
        }
        const auto formerName = mFileNames.find(prefab);
        try {
            prefab->PutInPlace(file);
            mFileNames[prefab] = prefab->Name;
            replaced.insert(prefab->Name);
        } catch (const ContentError& e) {
            // When another prefab's file has replaced its old one, the temporary file is
            // the only copy of its text left.
            const bool oldFileGone = formerName != mFileNames.end() && replaced.count(formerName->second) != 0;
            const std::filesystem::path kept = oldFileGone ? file.KeepTemporary() : std::filesystem::path();
            if (kept.empty()) {
                failures.push_back(e);
                unsaved.insert(prefab);
            } else {
                failures.emplace_back(e.File(), e.Problem() + "; its text is kept in '" + kept.generic_string() + "'");
            }
        }
    }
}

const Prefab* PrefabManager::FindFormerOwner(const std::string& name, const Prefab* except) const {
    for (const auto& [key, prefab] : Prefabs) {
        const auto former = mFileNames.find(prefab.get());
        if (prefab.get() != except && former != mFileNames.end() && former->second == name) {
            return prefab.get();
        }
    }
    return nullptr;
}

void PrefabManager::SavePrefab(Prefab& prefab) {
    const auto former = mFileNames.find(&prefab);
    const std::string formerName = former != mFileNames.end() ? former->second : prefab.Name;
    prefab.Save();
    mFileNames[&prefab] = prefab.Name;
    // Only this prefab's old file may go: another renamed prefab is not on disk yet.
    std::vector<ContentError> failures;
    DeleteStaleFiles(failures, &formerName);
    ThrowCombined(failures);
}

void PrefabManager::DeleteStaleFiles(std::vector<ContentError>& failures, const std::string* only) {
    for (auto it = mKnownFiles.begin(); it != mKnownFiles.end();) {
        if (Prefabs.count(it->first) != 0 || (only != nullptr && it->first != *only)) {
            ++it;
            continue;
        }
        std::error_code error;
        // On a case-insensitive disk "Foo.json" of a prefab renamed to "foo" is the file
        // just saved for it.
        if (!IsFileOfLivePrefab(it->second)) {
            std::filesystem::remove(it->second, error);
        }
        if (error) {
            // Kept, so that the next save tries again.
            failures.emplace_back(it->second, "cannot delete the stale prefab file: " + error.message());
            ++it;
        } else {
            it = mKnownFiles.erase(it);
        }
    }
}

bool PrefabManager::IsFileOfLivePrefab(const std::filesystem::path& file) const {
    for (const auto& [name, known] : mKnownFiles) {
        std::error_code error;
        if (Prefabs.count(name) != 0 && std::filesystem::equivalent(file, known, error) && !error) {
            return true;
        }
    }
    return false;
}

void PrefabManager::NoteSavedFile(const std::string& name, const std::filesystem::path& file) {
    std::filesystem::path& known = mKnownFiles[name];
    // A prefab loaded from "Foo.JSON" and saved as "Foo.json" must not leave two files.
    if (!known.empty() && known != file) {
        std::error_code error;
        // On a case-insensitive disk both names are the file just written.
        if (!std::filesystem::equivalent(known, file, error) && !error) {
            std::filesystem::remove(known, error);
        }
    }
    known = file;
}

const ComponentTypeEntry* PrefabManager::FindComponentType(const std::string& name) const {
    const auto it = ComponentTypes.find(name);
    return it != ComponentTypes.end() ? &it->second : nullptr;
}

const IEditable* PrefabManager::FindDefaultInstance(const std::string& name) const {
    const auto it = DefaultInstances.find(name);
    return it != DefaultInstances.end() ? it->second.get() : nullptr;
}

std::string PrefabManager::GetComponentTypeName(const IEditable* e) const {
    if (e == nullptr) {
        return std::string();
    }
    if (const auto* prefabComponent = dynamic_cast<const PrefabComponent*>(e)) {
        return prefabComponent->TypeName;
    }
    if (e->Type == nullptr) {
        return std::string();
    }
    for (const auto& [name, entry] : ComponentTypes) {
        if (*entry.Type == *e->Type) {
            return name;
        }
    }
    return std::string();
}

IEditable* PrefabManager::CreateAndAttach(const std::string& typeName, GameObject* target,
                                          const std::filesystem::path& file) const {
    const ComponentTypeEntry* type = FindComponentType(typeName);
    if (type == nullptr) {
        throw ContentError(file, "component type '" + typeName + "' is not registered");
    }
    std::unique_ptr<IEditable> created = type->Create();
    Component* component = dynamic_cast<Component*>(created.get());
    if (component == nullptr) {
        throw ContentError(file, "type '" + typeName + "' is not a component and cannot be attached to an object");
    }
    IEditable* editable = created.release();
    target->AddComponent(component);
    return editable;
}

Prefab* PrefabManager::FindPrefab(const std::string& name) const {
    const auto it = Prefabs.find(name);
    return it != Prefabs.end() ? it->second.get() : nullptr;
}

void PrefabManager::InstantiateByName(const std::string& prefabName, GameObject* target) const {
    const Prefab* prefab = FindPrefab(prefabName);
    if (prefab == nullptr) {
        throw ContentError(GetPrefabFile(prefabName), "prefab '" + prefabName + "' is not loaded (requested by name)");
    }
    prefab->Instantiate(target);
}

Prefab* PrefabManager::AddPrefab(std::unique_ptr<Prefab> prefab, const std::string& desired) {
    if (!IsValidPrefabName(desired)) {
        return nullptr;
    }
    const std::string name = FindFreeName(desired);
    prefab->Name = name;
    prefab->Modified = true;
    Prefab* added = prefab.get();
    // New at an address a removed prefab may have had: it has no file yet.
    mFileNames.erase(added);
    Prefabs[name] = std::move(prefab);
    return added;
}

bool PrefabManager::RemovePrefab(const std::string& name) {
    const auto found = Prefabs.find(name);
    if (found == Prefabs.end()) {
        return false;
    }
    // Its file is now one of a removed prefab, not the old file of a renamed one.
    mFileNames.erase(found->second.get());
    Prefabs.erase(found);
    return true;
}

std::string PrefabManager::FindFreeName(const std::string& name) const {
    std::string candidate = name;
    // Counts on past 999 rather than reuse a taken name: no prefab may be displaced.
    for (int i = 1; Prefabs.count(candidate) != 0; ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof(suffix), ".%03d", i);
        candidate = name + suffix;
    }
    return candidate;
}

std::vector<std::string> PrefabManager::FindAutoCreateUsers(const std::string& name) const {
    std::vector<std::string> users;
    for (const auto& [userName, prefab] : Prefabs) {
        if (userName == name) {
            continue;
        }
        const auto& entries = prefab->AutoCreates;
        if (std::any_of(entries.begin(), entries.end(), [&name](const auto& entry) { return entry->Prefab == name; })) {
            users.push_back(userName);
        }
    }
    return users;
}
