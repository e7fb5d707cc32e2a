#include "game/map/UiParUnlockInfoBhv.h"

#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"

UiParUnlockInfoBhv::UiParUnlockInfoBhv() {
    RegisterProperty(&mLevelPrefab, "LevelPrefab");
}

void UiParUnlockInfoBhv::Update() {
    Owner->DrawEnabled = 0;
    if (gLevelList == nullptr) {
        return;
    }
    int needed = 0;
    if (mLevelPrefab == ReservedLevels::Bonus1) {
        needed = gLevelList->Bonus1ParCount;
    } else if (mLevelPrefab == ReservedLevels::Bonus2) {
        needed = gLevelList->Bonus2ParCount;
    } else {
        return;
    }
    if (needed <= 0 || gLevelList->ParCount >= needed) {
        return;
    }
    Owner->DrawEnabled = 1;
    GameObject* text = Owner->FindChild("ParText");
    if (text != nullptr && text->Text != nullptr) {
        text->Text->Text = std::to_string(gLevelList->ParCount) + " / " + std::to_string(needed);
    }
}
