#include "game/map/MapIconParts.h"

#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapNodeCmp.h"
#include "game/screens/EditorLink.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"

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
    if (node == nullptr || !node->IsCurrent || EditorTakesKeys() || gInputManager == nullptr ||
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

bool IsActivated(const GameObject& icon) {
    if (EditorTakesKeys() || gInputManager == nullptr) {
        return false;
    }
    if (gInputManager->IsKeyPressed(Key::LeftMouse) && gGraphics != nullptr && icon.Sprite != nullptr) {
        const Vector2 m = gGraphics->WorldCamera.ScreenToWorld(gInputManager->MousePosition);
        const Rect b = icon.Sprite->GetBounds();
        if (m.X >= b.X && m.Y >= b.Y && m.X < b.X + b.Width && m.Y < b.Y + b.Height) {
            return true;
        }
    }
    const MapNodeCmp* node = icon.GetComponent<MapNodeCmp>();
    return node != nullptr && node->IsCurrent && gInputManager->IsActionPressed(InputAction::MenuConfirm);
}

}  // namespace MapIconParts
