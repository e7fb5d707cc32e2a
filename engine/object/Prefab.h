#pragma once

#include <boost/property_tree/ptree_fwd.hpp>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "object/AtomicFile.h"
#include "object/AutoCreate.h"
#include "object/PrefabComponent.h"

class GameObject;

// A named description of one object: its components (type names and property text)
// and the children it creates. Levels are prefabs too. Stored as one JSON file per
// prefab in the prefab folder, named after the prefab.
class Prefab {
public:
    // Tells the editor (gPrefabDeletingHook) that the prefab goes.
    virtual ~Prefab();

    // --- The file (all failures raise ContentError naming the file) ---

    // Fills the components and auto-create entries from the file; the name is not read
    // from it.
    void Load(const std::filesystem::path& file);
    // Writes "<Name>.json" in the prefab folder (through a temporary file) and clears
    // Modified. A name that cannot be a file name is refused.
    void Save();
    // The same save in two steps, so that several prefabs are all written before any
    // old file is replaced: the file staged beside its place, then put in place, which
    // clears Modified.
    StagedFile Stage() const;
    void PutInPlace(StagedFile& staged);
    // A component list of a file: one member per component, keyed by type name.
    static void ReadComponentList(const boost::property_tree::ptree& list, PrefabComponentList& out,
                                  const std::filesystem::path& file);
    static boost::property_tree::ptree WriteComponentList(const PrefabComponentList& list);
    // The file this prefab is read from and written to.
    std::filesystem::path GetFilePath() const;

    // --- Building objects ---

    // Builds the prefab into target: its components, then the overrides (applied to the
    // first component of each type), then each auto-created child built the same way,
    // and finally Start for each behaviour this call added (children before parents).
    // An entry whose prefab is not loaded, or that would build again a prefab it is
    // within (an auto-create cycle), is skipped with a warning.
    void Instantiate(GameObject* target, const PrefabComponentList* overrides = nullptr) const;
    // Applies a component list: a new component per entry when alwaysCreate, else the
    // first component of the entry's type (created when there is none); then every
    // holder is copied into the component's property of the same name.
    void ApplyComponentList(GameObject* target, const PrefabComponentList& list, bool alwaysCreate) const;

    // --- Editing ---

    // A deep copy with the same name, marked modified, not entered in the manager.
    static std::unique_ptr<Prefab> Clone(const Prefab& source);
    // Renames the prefab to desired, or to the first free of desired.001, desired.002,
    // ..., never displacing another prefab, and marks it modified. Refuses (false, no
    // change) a name that cannot be a file name.
    bool MakeNameUnique(const std::string& desired);
    // A deep copy entered in the manager under a free name derived from the source's
    // (a trailing ".nnn" dropped), marked modified. Null when no valid name derives.
    static Prefab* Duplicate(const Prefab& source);
    // Moves an entry within Components, clamped to the list; whether it moved.
    // Does not mark the prefab modified: the caller does.
    bool MoveComponent(const PrefabComponent* entry, int offset);
    // Brings every object of the subtree built from this prefab up to date with its
    // component list (missing components are attached without Start).
    void ApplyToInstances(GameObject* root) const;

    std::string Name;
    PrefabComponentList Components;
    std::vector<std::unique_ptr<AutoCreate>> AutoCreates;
    bool Modified = false;

private:
    void InstantiateWithin(GameObject* target, const PrefabComponentList* overrides,
                           std::vector<const Prefab*>& chain) const;
    // The prefab the entry builds; null (told once) when it is not loaded or when it is
    // one of the chain being built.
    const Prefab* FindAutoCreated(const AutoCreate& entry, const std::vector<const Prefab*>& chain) const;
};

// Whether name can be a prefab's file name: not empty, no path separator, no "..".
bool IsValidPrefabName(const std::string& name);

// Installed by the editor so that deleting a prefab clears the editor's references to it.
extern void (*gPrefabDeletingHook)(const Prefab* prefab);
