#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "object/IEditable.h"
#include "object/Prefab.h"

class Component;
class ContentError;
class GameObject;

// How the registry makes a component of one type.
struct ComponentTypeEntry {
    // A new, unattached instance with its Type set, seen through its IEditable base.
    std::unique_ptr<IEditable> (*Create)() = nullptr;
    const std::type_info* Type = nullptr;
};

// Owns every prefab, the component type registry and one default instance per type
// (the source of property lists and defaults when prefab files are read).
class PrefabManager {
public:
    using TypeRegistrar = void (*)(PrefabManager& manager);

    PrefabManager() = default;
    PrefabManager(const PrefabManager&) = delete;
    PrefabManager& operator=(const PrefabManager&) = delete;
    // Deletes the default instances, then the prefabs.
    virtual ~PrefabManager();

    // Enters type T under name; a second registration replaces the first.
    template <class T>
    void RegisterComponent(const std::string& name) {
        ComponentTypes[name] = ComponentTypeEntry{&CreateRegistered<T>, &typeid(T)};
    }

    // Registers the component types (registerTypes), makes their default instances,
    // finishes a save that was cut short (FinishCutShortSave) and loads every ".json"
    // file of the prefab folder. A file that cannot be read is told (the file and the
    // problem) and left out, as if it were missing; but one of the required prefabs
    // missing or left out raises RequiredContentError. ContentError for a folder that
    // cannot be listed.
    void Init(TypeRegistrar registerTypes, const std::vector<std::string>& required = {});

    // "Content/Prefabs", or "<DevelopmentContentPath>/Prefabs" when that folder exists.
    std::filesystem::path GetPrefabFolder() const;
    // The file of the prefab of that name: the one it was loaded from (or could not be),
    // else "<name>.json" in the prefab folder.
    std::filesystem::path GetPrefabFile(const std::string& name) const;
    // Whether the prefab's file is there but could not be read, so the prefab is not
    // loaded. No save deletes such a file; only a prefab of that name made anew in this
    // run writes over it.
    bool IsLeftOut(const std::string& name) const { return mLeftOutFiles.count(name) != 0; }

    // The names of the prefabs modified since loaded or saved, in name order.
    std::vector<std::string> ModifiedPrefabNames() const;
    // The names of the prefabs removed whose files are still there, in name order: the
    // next SaveModifiedPrefabs deletes them. A renamed prefab's old name is not one.
    std::vector<std::string> RemovedPrefabNames() const;
    // Saves every modified prefab, then deletes the files of prefabs that were loaded or
    // saved in this run and no longer exist under that name (removed or renamed). Files
    // this run never knew are left alone. The saved set is whole: every file is written
    // beside its place, then a journal of the renames and deletions to come (SaveJournal),
    // then the files are put in place; a kill before the journal leaves every prefab as
    // it was, one after it is finished by the next start. A failure does not stop the
    // rest, except that no file is replaced while it holds the only copy of a prefab
    // that could not be saved; the failures are raised together afterwards as one
    // ContentError naming each file, and while any save fails no file is deleted. A file
    // that could not be put in place keeps its text in its temporary file, and the
    // journal stays until a later save or start can finish it.
    void SaveModifiedPrefabs();
    // Saves one prefab, then, as SaveModifiedPrefabs does, deletes the files of prefabs
    // removed or renamed in this run, so a renamed prefab leaves one file.
    void SavePrefab(Prefab& prefab);
    // Every save first finishes the journal of an earlier one that was cut short or
    // failed; ContentError naming the journal when it cannot.
    void FinishEarlierSave();

    // --- The registry ---

    const ComponentTypeEntry* FindComponentType(const std::string& name) const;
    const IEditable* FindDefaultInstance(const std::string& name) const;
    // The registered name of e's type (a PrefabComponent's own TypeName); "" when unknown.
    std::string GetComponentTypeName(const IEditable* e) const;
    // A new component of the registered type, attached to target (no Start). Raises
    // ContentError naming file when the type is not registered or is no component.
    IEditable* CreateAndAttach(const std::string& typeName, GameObject* target,
                               const std::filesystem::path& file) const;

    // --- Prefabs ---

    Prefab* FindPrefab(const std::string& name) const;
    // Builds the loaded prefab of that name into target; ContentError when it is not loaded.
    void InstantiateByName(const std::string& prefabName, GameObject* target) const;
    // Takes a new prefab and enters it under desired or the first free numbered form of
    // it. Null (and the prefab dropped) when desired cannot be a file name.
    Prefab* AddPrefab(std::unique_ptr<Prefab> prefab, const std::string& desired);
    // Deletes the prefab of that name; false when there is none. Its file, when it has
    // one, goes at the next SaveModifiedPrefabs.
    bool RemovePrefab(const std::string& name);
    // The first of name, name.001, name.002, ... that no prefab uses.
    std::string FindFreeName(const std::string& name) const;
    // The other loaded prefabs that auto-create the prefab of that name, in name order:
    // they would name a missing prefab once it is renamed or removed.
    std::vector<std::string> FindAutoCreateUsers(const std::string& name) const;

    // Called by Prefab::Save: the file now holds the prefab of that name.
    void NoteSavedFile(const std::string& name, const std::filesystem::path& file);

    std::map<std::string, ComponentTypeEntry> ComponentTypes;
    std::map<std::string, std::unique_ptr<Prefab>> Prefabs;
    std::map<std::string, std::unique_ptr<IEditable>> DefaultInstances;

private:
    template <class T>
    static std::unique_ptr<IEditable> CreateRegistered() {
        auto component = std::make_unique<T>();
        component->Type = &typeid(T);
        return component;
    }

    struct StagedPrefab {
        Prefab* Saved;
        StagedFile File;
    };

    // What a start does before the prefab folder is read: finishes the save whose
    // journal stands there, and removes the temporary files no journal names. Told in
    // one line; a journal that cannot be finished is told and kept with its files.
    void FinishCutShortSave() const;
    void LoadPrefabFolder(const std::vector<std::string>& required);
    // Tells why the file cannot be read and leaves its prefab out; raises
    // RequiredContentError instead for a required prefab.
    void LeaveOut(const std::string& name, const std::filesystem::path& file, const ContentError& problem,
                  bool required);
    // Saves prefabs (in name order) as one whole, then deletes the stale files: all of
    // them, or only the one of the prefab named onlyStale.
    void SaveTogether(const std::vector<Prefab*>& prefabs, const std::string* onlyStale);
    // The prefabs' files, written beside their places; each failure is added to
    // failures and its prefab to unsaved.
    std::vector<StagedPrefab> Stage(const std::vector<Prefab*>& prefabs, std::vector<ContentError>& failures,
                                    std::set<const Prefab*>& unsaved) const;
    // Adds to unsaved each staged prefab whose file holds the only copy of an unsaved
    // prefab, and a failure naming it.
    void HoldBackOnlyCopies(const std::vector<StagedPrefab>& staged, std::vector<ContentError>& failures,
                            std::set<const Prefab*>& unsaved) const;
    // The live prefab other than except whose file was last read or written under name:
    // that file is its only copy on disk until its own new file is in place.
    const Prefab* FindFormerOwner(const std::string& name, const Prefab* except) const;
    bool IsFileOfLivePrefab(const std::filesystem::path& file) const;
    bool IsLive(const Prefab* prefab) const;

    // The file of every prefab that was loaded or saved in this run, by prefab name:
    // the only files a save may delete.
    std::map<std::string, std::filesystem::path> mKnownFiles;
    // The files in the prefab folder that could not be read, by prefab name. They are
    // not known files: a save leaves them alone.
    std::map<std::string, std::filesystem::path> mLeftOutFiles;
    // The name each prefab's file was last read or written under (only compared).
    std::map<const Prefab*, std::string> mFileNames;
    // The prefabs (only compared) and names whose files a journal still owes.
    std::vector<std::pair<const Prefab*, std::string>> mUnfinishedPuts;
};

extern PrefabManager* gPrefabManager;

// The program's table of component types, installed before the application runs so
// that the object model stays free of game types.
extern PrefabManager::TypeRegistrar gComponentTypeRegistrar;
