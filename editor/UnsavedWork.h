#pragma once

#include <string>

// What the editor holds that its files do not: the level editor's unsaved edits (and an
// object added to the level that no level file keeps), the prefabs marked modified and
// the removed prefabs whose files are still there.
struct UnsavedWork {
    bool Level = false;
    int Prefabs = 0;

    bool IsEmpty() const { return !Level && Prefabs == 0; }
    // "level, 3 prefabs", "level", "1 prefab"; "" when nothing is unsaved.
    std::string Describe() const;
};

UnsavedWork FindUnsavedWork();
