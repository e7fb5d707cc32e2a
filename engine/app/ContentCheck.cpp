#include "app/ContentCheck.h"

#include <set>

#include "audio/MusicManager.h"
#include "fx/EmitterRequests.h"
#include "input/Cursors.h"
#include "object/ContentWarning.h"
#include "object/ExpectedContent.h"
#include "object/MissingContent.h"
#include "object/PrefabManager.h"

namespace {

// What an expected prefab auto-creates is expected with it: a missing part is told now,
// with the line that building the prefab would give, so that building it adds none.
void WarnAboutMissingParts(const Prefab& prefab, std::set<const Prefab*>& visited) {
    if (!visited.insert(&prefab).second) {
        return;
    }
    for (const auto& entry : prefab.AutoCreates) {
        if (const Prefab* part = gPrefabManager->FindPrefab(entry->Prefab)) {
            WarnAboutMissingParts(*part, visited);
        } else {
            WarnMissingAutoCreated(prefab, entry->Prefab);
        }
    }
}

}  // namespace

void WarnAboutMissingContent(const ExpectedContent& expected) {
    for (const std::string& cue : expected.Cues) {
        const std::string prefab = "Cue_" + cue;
        // Told the way a play of the cue tells it, so that the play adds no second line.
        if (gPrefabManager != nullptr && gPrefabManager->FindPrefab(prefab) == nullptr) {
            WarnMissingContent("cue prefab", prefab, "the game's code; the cue plays nothing");
        }
    }
    std::set<const Prefab*> visited;
    for (const std::string& name : expected.Prefabs) {
        if (gPrefabManager == nullptr) {
            break;
        }
        if (const Prefab* prefab = gPrefabManager->FindPrefab(name)) {
            WarnAboutMissingParts(*prefab, visited);
        } else {
            WarnMissingContent("prefab", name, "the game's code");
        }
    }
    // An emitter without its particle prefab emits nothing, and says nothing as it does.
    for (const auto& [particle, request] : ParticlesAskedForByEmitters()) {
        if (gPrefabManager->FindPrefab(particle) == nullptr) {
            WarnMissingContent("prefab", particle, request.Describe());
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
