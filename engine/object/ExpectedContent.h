#pragma once

#include <string>
#include <vector>

// Content that code asks for by name, which no content file names: the start-up checks
// that each one is there, since a missing one otherwise only shows as silence or an
// arrow where a cursor should be.
struct ExpectedContent {
    std::vector<std::string> Cues;         // played as the prefabs "Cue_<name>"
    std::vector<std::string> MusicTracks;  // files of the music folder, by stem
    std::vector<std::string> Cursors;      // "<name>.ico" in the cursor folder
};
