#include "game/map/MapIconParts.h"

#include "game/screens/EditorLink.h"
#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapNodeCmp.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"

namespace MapIconParts {

void ShowChild(const GameObject& icon, const char* name, bool shown) {
    if (GameObject* child = icon.FindChild(name)) {
        child->DrawEnabled = shown ? 1 : 0;
    }
}

void FollowLevel(MapNodeCmp& node, const LevelDataCmp& level) {
    node.IsLocked = level.IsLocked;
    if (node.IsCurrent) {
        gCurrentLevelName = level.ObjectName;
    }
    node.LevelObjectName = level.ObjectName;
}

void LevelIconActivate(const GameObject& icon) {
    const MapNodeCmp* node = icon.GetComponent<MapNodeCmp>();
    if (node == nullptr || !node->IsCurrent || EditorIsEditing() || gInputManager == nullptr ||
        !gInputManager->IsActionPressed(InputAction::MenuConfirm)) {
        return;
    }
    if (node->IsLocked) {
        PlayGameCue("ErrorBuzz");
        if (gLevelSelectScreen != nullptr) {
            gLevelSelectScreen->FlashLockReason();
        }
        return;
    }
    if (gSavedData != nullptr) {
        gSavedData->LastLevelName = gCurrentLevelName;
        gSavedData->Save();
    }
    if (gLevelSelectScreen != nullptr) {
        gLevelSelectScreen->StartLevel();
    }
}

}  // namespace MapIconParts
