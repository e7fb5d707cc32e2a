#pragma once

#include <cstdint>
#include <string>

#include "object/Component.h"
#include "object/IEditable.h"

// One level of the level list: a child of the list's object named like the level's
// prefab. The content gives its display name, par and place; the list fills the rest.
class LevelDataCmp : public Component, public IEditable {
public:
    LevelDataCmp();

    // By the saved results (none without gSavedData): the two bonus modes by their best
    // counts against their targets, every other level by having a best time.
    bool IsCompleted() const;
    // Completed with a best time above 0 and within ParTime.
    bool IsParBeaten() const;

    // A par the screens can show and a time can beat: above 0 and at most LongestPar
    // seconds, the longest time a save keeps.
    static bool IsUsablePar(float seconds) { return seconds > 0.0f && seconds <= LongestPar; }
    static constexpr float LongestPar = 100000.0f;
    // The par of a level whose ParTime is not usable.
    static constexpr float FallbackPar = 60.0f;
    // The saved best time when completed, else 0.
    float GetBestTime() const;

    // Filled by the level list's rebuild.
    std::string ObjectName;
    int32_t Number = 0;
    bool IsLocked = true;

    std::string LevelName;
    float ParTime = 0.0f;
    bool InMainProgression = true;

private:
    // The saved best time, 0 when there is none.
    float SavedBestTime() const;
};
