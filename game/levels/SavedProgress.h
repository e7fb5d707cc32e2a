#pragma once

#include <cstdint>
#include <map>
#include <string>

// Everything of the player's progress that the save file holds, in file order.
struct SavedProgress {
    // Level object name -> best completion time in seconds; an entry means completed.
    std::map<std::string, float> LevelBestTimes;
    bool SoundMuted = false;
    bool MusicMuted = false;
    int32_t BestAntsFreed = 0;
    int32_t BestPacmanScore = 0;
    float BestSurvivalTime = 0.0f;
    // Never both set.
    bool UseAltBackground1 = false;
    bool UseAltBackground2 = false;
    // The level last started from the map.
    std::string LastLevelName;
};
