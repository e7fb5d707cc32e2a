#include "game/ui/UiLevelCompleteBhv.h"

#include <string>

#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/ui/NewBestIconBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

// The next-level part of the key hint, which the last level does not offer.
const std::string kNextHint = "Space: Next       ";

}  // namespace

UiLevelCompleteBhv::UiLevelCompleteBhv() {
    RegisterProperty(&UnderParColor, "UnderParColor");
}

void UiLevelCompleteBhv::Start() {
    TakeRestPos();
    if (GameObject* timeText = Owner->FindChild("TimeText"); timeText != nullptr && timeText->Tint != nullptr) {
        TimeTextColor = timeText->Tint->Tint;
    }
    SlideIn();
    const float time = gGameplayScreen != nullptr ? gGameplayScreen->LevelTime : 0.0f;
    const LevelDataCmp* level = CurrentLevel();
    if (level != nullptr) {
        RecordResult(*level, time);
    }
    FillTexts(level, time);
}

void UiLevelCompleteBhv::RecordResult(const LevelDataCmp& level, float time) {
    if (gLevelList != nullptr && !level.IsParBeaten() && time <= level.ParTime) {
        const int reached = gLevelList->ParCount + 1;
        if (reached == gLevelList->Bonus1ParCount) {
            ShowUnlockMessage("Bonus Level 2 Unlocked");
        } else if (reached == gLevelList->Bonus2ParCount) {
            ShowUnlockMessage("Bonus Level 1 Unlocked");
        }
    }
    if (gCurrentLevelName == ReservedLevels::Boss && !level.IsCompleted()) {
        ShowUnlockMessage("Survival Mode Unlocked");
    }
    if (gSavedData == nullptr) {
        return;
    }
    const float best = level.IsCompleted() ? level.GetBestTime() : 0.0f;
    if (best == 0.0f || best > time) {
        gSavedData->LevelBestTimes[gCurrentLevelName] = time;
        SaveProgress();
    }
    if (best != 0.0f && time < best) {
        if (GameObject* icon = Owner->FindChild("NewBestIcon")) {
            if (auto* badge = icon->GetComponent<NewBestIconBhv>()) {
                badge->Show();
            }
        }
    }
}

void UiLevelCompleteBhv::FillTexts(const LevelDataCmp* level, float time) {
    // The boss level has no par to race, and a level outside the list has none either.
    const bool showTimes = level == nullptr || gCurrentLevelName != ReservedLevels::Boss;
    const bool showPar = showTimes && level != nullptr;
    for (const char* child : {"TimeLabel", "TimeText"}) {
        if (GameObject* object = Owner->FindChild(child)) {
            object->DrawEnabled = showTimes ? 1 : 0;
        }
    }
    for (const char* child : {"ParLabel", "ParText"}) {
        if (GameObject* object = Owner->FindChild(child)) {
            object->DrawEnabled = showPar ? 1 : 0;
        }
    }
    SetChildText("LevelName", level != nullptr ? level->LevelName : gCurrentLevelName);
    SetChildText("TimeText", FloatToString(time));
    SetChildTint("TimeText", level != nullptr && time <= level->ParTime ? UnderParColor : TimeTextColor);
    SetChildText("ParText", level != nullptr ? FloatToString(level->ParTime) : "");
    GameObject* hint = Owner->FindChild("KeyHint");
    if (gCurrentLevelName == ReservedLevels::Yay && hint != nullptr && hint->Text != nullptr) {
        const size_t at = hint->Text->Text.find(kNextHint);
        if (at != std::string::npos) {
            hint->Text->Text.erase(at, kNextHint.size());
        }
    }
}

void UiLevelCompleteBhv::HandleInput() {
    if (gInputManager == nullptr || gGameplayScreen == nullptr) {
        return;
    }
    if (gCurrentLevelName != ReservedLevels::Yay && gInputManager->IsActionPressed(InputAction::MenuNextLevel)) {
        Close();
        gGameplayScreen->StartChangeOfLevel();
        return;
    }
    HandleReplayOrMap();
}
