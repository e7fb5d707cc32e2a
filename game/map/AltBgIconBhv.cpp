#include "game/map/AltBgIconBhv.h"

#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "game/screens/EditorLink.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"

namespace {

// Background 1 opens with the chase mode, background 2 with the ants-freed mode.
const char* OpeningLevel(int number) {
    return number == 1 ? ReservedLevels::Bonus2 : ReservedLevels::Bonus1;
}

bool IsCompleted(const char* levelName) {
    const LevelDataCmp* level = gLevelList != nullptr ? gLevelList->FindLevel(levelName) : nullptr;
    return level != nullptr && level->IsCompleted();
}

}  // namespace

AltBgIconBhv::AltBgIconBhv() {
    RegisterProperty(&mBackgroundNumber, "BackgroundNumber");
}

void AltBgIconBhv::Update() {
    const bool chosen = gSavedData != nullptr &&
                        (mBackgroundNumber == 1 ? gSavedData->UseAltBackground1 : gSavedData->UseAltBackground2);
    MapIconParts::ShowChild(*Owner, "CheckedIcon", chosen);
    GameObject* text = Owner->FindChild("Text");
    const char* picture = mBackgroundNumber == 1 ? "AltBg1" : "AltBg2";
    if (text != nullptr && text->Sprite != nullptr && text->Sprite->GetImageName() != picture) {
        text->Sprite->SetImageName(picture);
    }
    MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (node == nullptr) {
        return;
    }
    if (node->IsCurrent) {
        gCurrentLevelName.clear();  // no level selected: the info box hides
    }
    node->IsLocked = !IsCompleted(OpeningLevel(mBackgroundNumber));
    MapIconParts::ShowChild(*Owner, "Text", !node->IsLocked);
    MapIconParts::ShowChild(*Owner, "LockIcon", node->IsLocked);
}

void AltBgIconBhv::HandleInput() {
    const MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (EditorTakesKeys() || gInputManager == nullptr || node == nullptr || node->IsLocked) {
        return;
    }
    const bool confirmed = node->IsCurrent && gInputManager->IsActionPressed(InputAction::MenuConfirm);
    if (!IsClicked() && !confirmed) {
        return;
    }
    PlayGameCue("LevelSelect");
    if (gSavedData != nullptr) {
        gSavedData->ToggleAltBackground(mBackgroundNumber);
    }
}

bool AltBgIconBhv::IsClicked() const {
    if (!gInputManager->IsKeyPressed(Key::LeftMouse) || gGraphics == nullptr || Owner->Sprite == nullptr) {
        return false;
    }
    const Vector2 m = gGraphics->WorldCamera.ScreenToWorld(gInputManager->MousePosition);
    const Rect b = Owner->Sprite->GetBounds();
    return m.X >= b.X && m.Y >= b.Y && m.X < b.X + b.Width && m.Y < b.Y + b.Height;
}
