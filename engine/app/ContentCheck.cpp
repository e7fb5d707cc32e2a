#include "app/ContentCheck.h"

#include "audio/MusicManager.h"
#include "input/Cursors.h"
#include "object/ContentWarning.h"
#include "object/ExpectedContent.h"
#include "object/MissingContent.h"
#include "object/PrefabManager.h"

void WarnAboutMissingContent(const ExpectedContent& expected) {
    for (const std::string& cue : expected.Cues) {
        const std::string prefab = "Cue_" + cue;
        // Told the way a play of the cue tells it, so that the play adds no second line.
        if (gPrefabManager != nullptr && gPrefabManager->FindPrefab(prefab) == nullptr) {
            WarnMissingContent("cue prefab", prefab, "the game's code; the cue plays nothing");
        }
    }
    for (const std::string& track : expected.MusicTracks) {
        if (gMusicManager != nullptr && !gMusicManager->Tracks.contains(track)) {
            WarnContent("Missing music track \"" + track + "\": no file of that name in " +
                        MusicManager::GetMusicFolder().string());
        }
    }
    for (const std::string& cursor : expected.Cursors) {
        PreloadCursor(cursor);
    }
}
