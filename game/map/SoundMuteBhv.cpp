#include "game/map/SoundMuteBhv.h"

#include "audio/SoundManager.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"

void SoundMuteBhv::Start() {
    if (gSavedData != nullptr && gSoundManager != nullptr) {
        gSoundManager->System().SetMasterMuted(gSavedData->SoundMuted);
    }
}

void SoundMuteBhv::Update() {
    MapIconParts::ShowChild(*Owner, "CheckedIcon", gSoundManager != nullptr && gSoundManager->System().IsMasterMuted());
    const MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (node != nullptr && node->IsCurrent) {
        gCurrentLevelName.clear();
    }
}

void SoundMuteBhv::HandleInput() {
    if (gSoundManager == nullptr || !MapIconParts::IsActivated(*Owner)) {
        return;
    }
    AudioSystem& system = gSoundManager->System();
    system.SetMasterMuted(!system.IsMasterMuted());
    if (gSavedData != nullptr) {
        // What the system reports, not what was asked: a released system stays unmuted.
        gSavedData->SoundMuted = system.IsMasterMuted();
        gSavedData->Save();
    }
}
