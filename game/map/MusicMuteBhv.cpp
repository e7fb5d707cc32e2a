#include "game/map/MusicMuteBhv.h"

#include "audio/MusicManager.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"

namespace {

void SetMusicMuted(bool muted) {
    if (gMusicManager == nullptr) {
        return;
    }
    gMusicManager->Channel.SetMuted(muted);  // a stale or absent channel ignores it
    gMusicManager->Muted = muted;
}

}  // namespace

void MusicMuteBhv::Start() {
    // Without saved progress the live switch stays as it is.
    if (gSavedData != nullptr) {
        SetMusicMuted(gSavedData->MusicMuted);
    }
}

void MusicMuteBhv::Update() {
    MapIconParts::ShowChild(*Owner, "CheckedIcon", gMusicManager != nullptr && gMusicManager->Muted);
    const MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (node != nullptr && node->IsCurrent) {
        gCurrentLevelName.clear();  // no level selected: the info box hides
    }
}

void MusicMuteBhv::HandleInput() {
    if (gMusicManager == nullptr || !MapIconParts::IsActivated(*Owner)) {
        return;
    }
    const bool muted = !gMusicManager->Muted;
    SetMusicMuted(muted);
    if (gSavedData != nullptr) {
        gSavedData->MusicMuted = muted;
        gSavedData->Save();
    }
}
