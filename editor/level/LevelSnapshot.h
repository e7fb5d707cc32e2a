#pragma once

#include <memory>
#include <string>
#include <vector>

#include "object/Prefab.h"

class GameObject;

// Whether the group of the level holds mutable things: its name has "Mut" in it.
bool IsMutableGroup(const GameObject& group);

// One step of the level editor's undo history: the static things as they stood, and
// the mutable ones too unless a play-test was keeping them (then null).
struct LevelHistoryEntry {
    std::unique_ptr<Prefab> MutableSnapshot;
    std::unique_ptr<Prefab> StaticSnapshot;
};

// The things of the level's static groups (or of its mutable ones, the groups named
// with "Mut") as a prefab named levelName: one auto-created entry per thing, carrying
// the properties that the thing's entry in sources lists, read from the live thing.
// A thing, component or property that sources does not list is recorded without it.
std::unique_ptr<Prefab> TakeLevelSnapshot(const GameObject& level, const Prefab& sources, bool isMutable,
                                          const std::string& levelName);

// The level file's contents: a copy of the static snapshot named levelName followed by
// a copy of every entry of the mutable one (which may be null).
std::unique_ptr<Prefab> MergeLevelSnapshots(const Prefab& staticSnapshot, const Prefab* mutableSnapshot,
                                            const std::string& levelName);

// The properties that the thing's entry in sources lists, valued from the live thing
// (none when sources has no entry for its prefab).
PrefabComponentList RecordThingProperties(const GameObject& thing, const Prefab& sources);

// Whether a level file keeps that property of the thing's component: the thing's entry
// in sources lists it for the component's type, and the component is the first of that
// type on the thing (the one a snapshot reads).
bool IsKeptByLevel(const GameObject& thing, const IEditable& component, const std::string& property,
                   const Prefab& sources);

// "Name (Prefab)" of each entry of a level that lacks some of what sources lists for
// it: no entry for its prefab, or a listed component the thing did not have.
std::vector<std::string> FindThingsSavedIncomplete(const Prefab& level, const Prefab& sources);
