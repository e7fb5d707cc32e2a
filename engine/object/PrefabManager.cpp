#include "object/PrefabManager.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "object/AtomicFile.h"
#include "object/Component.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/JsonFile.h"
#include "object/RequiredContent.h"
#include "object/SaveJournal.h"

PrefabManager* gPrefabManager = nullptr;
PrefabManager::TypeRegistrar gComponentTypeRegistrar = nullptr;

namespace {

bool IsRegularFile(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error);
}

// Every failure, each with its file.
std::string Joined(const std::vector<ContentError>& failures) {
    std::string text;
    for (const ContentError& failure : failures) {
        text += (text.empty() ? "" : "; and ") + std::string(failure.what());
    }
    return text;
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

// "3 prefabs": each prefab the journal writes or deletes counts once.
std::string CountOfPrefabs(const SaveJournal& journal) {
    std::set<std::string> stems;
    for (const std::vector<std::string>* files : {&journal.Puts(), &journal.Deletes()}) {
        for (const std::string& file : *files) {
            stems.insert(std::filesystem::path(file).stem().string());
        }
    }
    return std::to_string(stems.size()) + (stems.size() == 1 ? " prefab" : " prefabs");
}

}  // namespace

PrefabManager::~PrefabManager() = default;

void PrefabManager::Init(TypeRegistrar registerTypes, const std::vector<std::string>& required) {
    if (registerTypes == nullptr) {
        throw std::logic_error("PrefabManager::Init: no component type table installed");
    }
    registerTypes(*this);
    for (const auto& [name, entry] : ComponentTypes) {
        DefaultInstances[name] = entry.Create();
    }
    FinishCutShortSave();
    LoadPrefabFolder(required);
}

void PrefabManager::FinishCutShortSave() const {
    const std::filesystem::path folder = GetPrefabFolder();
    std::set<std::string> kept;
    try {
        if (const std::optional<SaveJournal> journal = SaveJournal::Read(folder)) {
            const SaveJournal::Outcome outcome = journal->CarryOut();
            if (outcome.Failures.empty()) {
                WarnContent(folder.generic_string() + ": finished a save of " + CountOfPrefabs(*journal) +
                            " that was cut short");
            } else {
                for (const std::string& put : journal->Puts()) {
                    kept.insert(TemporaryFileOf(put).string());
                }
                WarnContent(journal->Path().generic_string() + ": a save that was cut short cannot be finished: " +
                            Joined(outcome.Failures) + "; it is kept with its temporary files");
            }
        }
    } catch (const ContentError& malformed) {
        // Its temporary files may hold the only copy of a prefab.
        WarnContent(std::string(malformed.what()) + "; it is kept with every temporary file of the folder");
        return;
    }
    RemoveStrayTemporaries(folder, kept);
}

void PrefabManager::LoadPrefabFolder(const std::vector<std::string>& required) {
    const std::filesystem::path folder = GetPrefabFolder();
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        throw ContentError(folder, "cannot list the prefab folder: " + error.message());
    }
    const auto isRequired = [&required](const std::string& name) {
        return std::find(required.begin(), required.end(), name) != required.end();
    };
    for (const std::filesystem::directory_entry& entry : it) {
        const std::filesystem::path& file = entry.path();
        if (!IsRegularFile(entry) || !HasJsonExtension(file)) {
            continue;
        }
        const std::string name = file.stem().string();
        // Two files differing only in the case of their extension would silently lose one.
        for (const auto* files : {&mKnownFiles, &mLeftOutFiles}) {
            if (const auto first = files->find(name); first != files->end()) {
                throw ContentError(file, "a second file for prefab '" + name + "' (the first is '" +
                                             first->second.generic_string() + "')");
            }
        }
        auto prefab = std::make_unique<Prefab>();
        prefab->Name = name;
        try {
            prefab->Load(file);
        } catch (const ContentError& problem) {
            LeaveOut(name, file, problem, isRequired(name));
            continue;
        }
        mKnownFiles[name] = file;
        mFileNames[prefab.get()] = name;
        Prefabs[name] = std::move(prefab);
    }
    for (const std::string& name : required) {
        if (Prefabs.count(name) == 0) {
            throw RequiredContentError(GetPrefabFile(name), "not found");
        }
    }
}

void PrefabManager::LeaveOut(const std::string& name, const std::filesystem::path& file, const ContentError& problem,
                             bool required) {
    if (required) {
        throw RequiredContentError(problem);
    }
    // Not a known file: a save of other prefabs must neither delete nor replace it.
    mLeftOutFiles[name] = file;
    WarnContent(std::string(problem.what()) + "; prefab '" + name + "' is not loaded");
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
    for (const auto* files : {&mKnownFiles, &mLeftOutFiles}) {
        if (const auto known = files->find(name); known != files->end()) {
            return known->second;
        }
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
    std::vector<Prefab*> modified;
    for (const auto& [name, prefab] : Prefabs) {
        if (prefab->Modified) {
            modified.push_back(prefab.get());
        }
    }
    SaveTogether(modified, nullptr);
}

void PrefabManager::SavePrefab(Prefab& prefab) {
    const auto former = mFileNames.find(&prefab);
    const std::string formerName = former != mFileNames.end() ? former->second : prefab.Name;
    // Only this prefab's old file may go: another renamed prefab is not on disk yet.
    SaveTogether({&prefab}, &formerName);
}

void PrefabManager::FinishEarlierSave() {
    const std::filesystem::path folder = GetPrefabFolder();
    std::optional<SaveJournal> journal;
    try {
        journal = SaveJournal::Read(folder);
    } catch (const ContentError& malformed) {
        throw ContentError(malformed.File(), "an earlier save cannot be finished: " + malformed.Problem());
    }
    if (!journal) {
        return;
    }
    const SaveJournal::Outcome outcome = journal->CarryOut();
    if (!outcome.Failures.empty()) {
        throw ContentError(journal->Path(), "an earlier save is not finished: " + Joined(outcome.Failures));
    }
    for (const auto& [prefab, name] : mUnfinishedPuts) {
        mKnownFiles[name] = folder / (name + ".json");
        if (IsLive(prefab)) {
            mFileNames[prefab] = name;
        }
    }
    mUnfinishedPuts.clear();
}

void PrefabManager::SaveTogether(const std::vector<Prefab*>& prefabs, const std::string* onlyStale) {
    // Two prefabs may have swapped names: were each file put in place in turn with
    // nothing to finish the rest, a kill between them would leave one prefab under two
    // names and the other only in a temporary file. The old file of a renamed prefab
    // may go only once the prefab is safely on disk under its new name, so none goes
    // while any save fails.
    FinishEarlierSave();
    const std::filesystem::path folder = GetPrefabFolder();
    std::vector<ContentError> failures;
    std::set<const Prefab*> unsaved;
    std::vector<StagedPrefab> staged = Stage(prefabs, failures, unsaved);
    HoldBackOnlyCopies(staged, failures, unsaved);

    SaveJournal journal(folder);
    for (const auto& [prefab, file] : staged) {
        if (unsaved.count(prefab) != 0) {
            continue;
        }
        journal.AddPut(file.File().filename().string());
        // A prefab loaded from "Foo.JSON" and saved as "Foo.json" must not leave two files;
        // nor may one made anew beside the "Foo.JSON" that could not be read.
        for (const auto* files : {&mKnownFiles, &mLeftOutFiles}) {
            const auto known = files->find(prefab->Name);
            if (known != files->end() && known->second != file.File() && known->second.parent_path() == folder) {
                journal.AddDelete(known->second.filename().string());
            }
        }
    }
    std::vector<std::string> staleNames;
    for (auto it = mKnownFiles.begin(); failures.empty() && it != mKnownFiles.end();) {
        const auto& [name, file] = *it;
        if (Prefabs.count(name) != 0 || (onlyStale != nullptr && name != *onlyStale) || file.parent_path() != folder) {
            ++it;
        } else if (IsFileOfLivePrefab(file)) {
            // On a case-insensitive disk "Foo.json" of a prefab renamed to "foo" is its file.
            it = mKnownFiles.erase(it);
        } else {
            journal.AddDelete(file.filename().string());
            staleNames.push_back(name);
            ++it;
        }
    }
    if (journal.IsEmpty()) {
        ThrowCombined(failures);
        return;
    }
    try {
        journal.Commit();
    } catch (const ContentError& failure) {
        failures.push_back(failure);
        // Without the journal nothing has changed; the staged files go with staged.
        if (!journal.Stands()) {
            ThrowCombined(failures);
        }
    }
    for (StagedPrefab& entry : staged) {
        if (unsaved.count(entry.Saved) == 0) {
            // The journal names the temporary file now: it goes by its rename.
            entry.File.KeepTemporary();
        }
    }
    const SaveJournal::Outcome outcome = journal.CarryOut();
    failures.insert(failures.end(), outcome.Failures.begin(), outcome.Failures.end());
    for (const auto& [prefab, file] : staged) {
        if (unsaved.count(prefab) != 0) {
            continue;
        }
        if (outcome.Undone.count(file.File().filename().string()) != 0) {
            mUnfinishedPuts.emplace_back(prefab, prefab->Name);
            continue;
        }
        mKnownFiles[prefab->Name] = file.File();
        mLeftOutFiles.erase(prefab->Name);
        mFileNames[prefab] = prefab->Name;
        prefab->Modified = false;
    }
    for (const std::string& name : staleNames) {
        // One that could not be deleted is kept, so that the next save tries again.
        if (outcome.Undone.count(mKnownFiles.at(name).filename().string()) == 0) {
            mKnownFiles.erase(name);
        }
    }
    ThrowCombined(failures);
}

std::vector<PrefabManager::StagedPrefab> PrefabManager::Stage(const std::vector<Prefab*>& prefabs,
                                                              std::vector<ContentError>& failures,
                                                              std::set<const Prefab*>& unsaved) const {
    std::vector<StagedPrefab> staged;
    for (Prefab* prefab : prefabs) {
        try {
            staged.push_back({prefab, prefab->Stage()});
        } catch (const ContentError& e) {
            failures.push_back(e);
            unsaved.insert(prefab);
        }
    }
    return staged;
}

void PrefabManager::HoldBackOnlyCopies(const std::vector<StagedPrefab>& staged, std::vector<ContentError>& failures,
                                       std::set<const Prefab*>& unsaved) const {
    // A prefab held back keeps its old file, which another staged prefab may be about
    // to replace: repeated until none is held back.
    for (bool heldOne = true; heldOne;) {
        heldOne = false;
        for (const auto& [prefab, file] : staged) {
            const Prefab* former = FindFormerOwner(prefab->Name, prefab);
            if (unsaved.count(prefab) != 0 || former == nullptr || unsaved.count(former) == 0) {
                continue;
            }
            failures.emplace_back(file.File(), "not written: it still holds the prefab now named '" + former->Name +
                                                   "', which could not be saved");
            unsaved.insert(prefab);
            heldOne = true;
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

bool PrefabManager::IsLive(const Prefab* prefab) const {
    return std::any_of(Prefabs.begin(), Prefabs.end(),
                       [prefab](const auto& entry) { return entry.second.get() == prefab; });
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
    mLeftOutFiles.erase(name);
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
    std::erase_if(mUnfinishedPuts, [added](const auto& put) { return put.first == added; });
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
    std::erase_if(mUnfinishedPuts, [&found](const auto& put) { return put.first == found->second.get(); });
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
