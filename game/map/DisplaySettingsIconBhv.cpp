#include "game/map/DisplaySettingsIconBhv.h"

#include <cstdio>

#include "game/GameEffects.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "object/GameObject.h"

void DisplaySettingsIconBhv::Update() {
    const MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (node != nullptr && node->IsCurrent) {
        gCurrentLevelName.clear();
    }
}

void DisplaySettingsIconBhv::HandleInput() {
    if (!MapIconParts::IsActivated(*Owner)) {
        return;
    }
    // Beside the screen and after it, so that it draws and updates over the map.
    GameObject* screen = gLevelSelectScreen != nullptr ? gLevelSelectScreen->Owner : nullptr;
    if (screen == nullptr || screen->Parent == nullptr) {
        return;
    }
    if (BuildChildFromPrefab("UiDisplaySettingsPopup", *screen->Parent) == nullptr) {
        std::fprintf(stderr, "DisplaySettingsIcon: no prefab \"UiDisplaySettingsPopup\"\n");
    }
}
