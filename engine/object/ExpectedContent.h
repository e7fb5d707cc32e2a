#pragma once

#include <algorithm>
#include <string>
#include <vector>

// Content that code asks for by name, which no content file names: the start-up checks
// that each one is there, since a missing one otherwise only shows as silence, an arrow
// where a cursor should be, or a popup, a weapon or the editor that never comes.
struct ExpectedContent {
    std::vector<std::string> Cues;     // played as the prefabs "Cue_<name>"
    std::vector<std::string> Prefabs;  // built or read by name
    // Prefabs without which nothing runs: a missing or damaged one stops the game.
    std::vector<std::string> RequiredPrefabs;
    std::vector<std::string> MusicTracks;  // files of the music folder, by stem
    std::vector<std::string> Cursors;      // "<name>.ico" in the cursor folder

    // Whether the code asks for the prefab of that name, a cue's included: renaming or
    // removing it takes something from the game itself.
    bool AsksForPrefab(const std::string& name) const {
        const auto named = [&name](const std::string& prefab) { return prefab == name; };
        const auto cue = [&name](const std::string& c) { return "Cue_" + c == name; };
        return std::any_of(Prefabs.begin(), Prefabs.end(), named) || std::any_of(Cues.begin(), Cues.end(), cue);
    }
};
