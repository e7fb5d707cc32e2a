#include "game/ui/HudRootBhv.h"

#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/weapons/WeaponCmp.h"
#include "game/weapons/WeaponsListBhv.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

const char* const kTimeLines[] = {"TimeLabel", "TimeText", "ParLabel", "ParText", "BestLabel", "BestText"};

// Levels whose time is not raced against a par.
bool IsUntimedLevel(const std::string& name) {
    return name == ReservedLevels::Boss || name == ReservedLevels::Bonus1 || name == ReservedLevels::Bonus2 ||
           name == ReservedLevels::Survival;
}

float LevelTime() {
    return gGameplayScreen != nullptr ? gGameplayScreen->LevelTime : 0.0f;
}

}  // namespace

HudRootBhv::HudRootBhv() {
    RegisterProperty(&OvertimeColor, "OvertimeColor");
    RegisterProperty(&UndertimeColor, "UndertimeColor");
    RegisterProperty(&AmmoWarningLevel, "AmmoWarningLevel");
    RegisterProperty(&AmmoFlashInterval, "AmmoFlashInterval");
    RegisterProperty(&AmmoFlashCount, "AmmoFlashCount");
    RegisterProperty(&WarningTint, "WarningTint");
}

void HudRootBhv::Start() {
    if (const GameObject* timeText = Child("TimeText"); timeText != nullptr && timeText->Tint != nullptr) {
        TimeTextColor = timeText->Tint->Tint;
    }
    if (const GameObject* panel = WeaponPart("Background"); panel != nullptr && panel->Tint != nullptr) {
        WeaponPanelColor = panel->Tint->Tint;
    }
    SetShown("AntsFreed", false);
}

void HudRootBhv::Update() {
    Refresh();
}

void HudRootBhv::Refresh() {
    UpdateWeaponPanel();
    const LevelDataCmp* level = gLevelList != nullptr ? gLevelList->FindLevel(gCurrentLevelName) : nullptr;
    if (level == nullptr) {
        // A play-tested level outside the list has no number, par or best to show.
        HideLevelLines();
        return;
    }
    UpdateLevelLines(*level);
    UpdateModeLine();
}

void HudRootBhv::UpdateWeaponPanel() {
    GameObject* panel = Child("HudWeapon");
    if (gPlayer == nullptr || gPlayer->WeaponObject == nullptr) {
        SetShown(panel, false);
        return;
    }
    SetShown(panel, true);
    const WeaponCmp* weapon = FindWeaponDescription(gPlayer->Weapon);
    if (GameObject* icon = WeaponPart("Icon"); icon != nullptr && icon->Sprite != nullptr && weapon != nullptr) {
        icon->Sprite->SetImageName(weapon->IconImage);
    }
    const int32_t ammo = gPlayer->AmmoCount;
    if (GameObject* quantity = WeaponPart("Quantity"); quantity != nullptr && quantity->Text != nullptr) {
        quantity->Text->Text = std::to_string(ammo);
    }
    if (ammo != LastAmmo && ammo <= AmmoWarningLevel) {
        Coroutine* flash = FindOrCreateCoroutine(&HudRootBhv::LowAmmoFlashCoroutine);
        flash->Stop();
        flash->Start();
    }
    LastAmmo = ammo;
}

void HudRootBhv::UpdateLevelLines(const LevelDataCmp& level) {
    SetText("World", level.InMainProgression ? std::to_string(level.Number) : "");
    const bool timed = !IsUntimedLevel(gCurrentLevelName);
    for (const char* name : kTimeLines) {
        SetShown(name, timed);
    }
    const float time = LevelTime();
    SetText("TimeText", FloatToString(time));
    SetTint(Child("TimeText"), time <= level.ParTime ? TimeTextColor : OvertimeColor);
    SetText("ParText", FloatToString(level.ParTime));

    GameObject* bestLabel = Child("BestLabel");
    if (level.IsCompleted() && bestLabel != nullptr && bestLabel->DrawEnabled) {
        SetText("BestText", FloatToString(level.GetBestTime()));
        SetTint(Child("BestText"), level.IsParBeaten() ? UndertimeColor : TimeTextColor);
    } else {
        SetShown(bestLabel, false);
        SetText("BestText", "");
    }
}

void HudRootBhv::UpdateModeLine() {
    const std::string& name = gCurrentLevelName;
    std::string line;
    if (name == ReservedLevels::Bonus1) {
        const int freed = gGameplayScreen != nullptr ? gGameplayScreen->CountAnts() : 0;
        line = "Ants Freed: " + std::to_string(freed);
        if (gSavedData != nullptr) {
            line += "    Goal: " + std::to_string(gSavedData->AntsToFree);
        }
    } else if (name == ReservedLevels::Bonus2) {
        line = "Score: " + std::to_string(gGameplayScreen != nullptr ? gGameplayScreen->Score : 0);
        if (gSavedData != nullptr) {
            const int32_t best = gSavedData->BestPacmanScore;
            const int32_t goal = gSavedData->PacmanTargetScore;
            line += best < goal ? "    Goal: " + std::to_string(goal) : "    Best: " + std::to_string(best);
        }
    } else if (name == ReservedLevels::Survival) {
        line = FloatToString(LevelTime());
        if (gSavedData != nullptr && gSavedData->BestSurvivalTime > 0.0f) {
            line += "      Best: " + FloatToString(gSavedData->BestSurvivalTime);
        }
    } else {
        SetShown("AntsFreed", false);
        return;
    }
    SetShown("AntsFreed", true);
    SetText("AntsFreed", line);
}

void HudRootBhv::HideLevelLines() {
    SetText("World", "");
    for (const char* name : kTimeLines) {
        SetShown(name, false);
    }
    SetShown("AntsFreed", false);
}

CoCommand HudRootBhv::LowAmmoFlashCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            PlayGameCue("LowAmmo");
            FlashesLeft = AmmoFlashCount;
            return CoWaitFrames(1);
        case 1: SetTint(WeaponPart("Background"), WarningTint); return CoWaitSeconds(AmmoFlashInterval * 0.5f);
        case 2: SetTint(WeaponPart("Background"), WeaponPanelColor); return CoWaitSeconds(AmmoFlashInterval * 0.5f);
        default: FlashesLeft -= 1; return FlashesLeft > 0 ? CoGoTo(1) : CoStop();
    }
}

GameObject* HudRootBhv::Child(const char* name) const {
    return Owner->FindChild(name);
}

GameObject* HudRootBhv::WeaponPart(const char* name) const {
    const GameObject* panel = Child("HudWeapon");
    return panel != nullptr ? panel->FindChild(name) : nullptr;
}

void HudRootBhv::SetText(const char* name, const std::string& text) const {
    GameObject* object = Child(name);
    if (object != nullptr && object->Text != nullptr && object->Text->Text != text) {
        object->Text->Text = text;
    }
}

void HudRootBhv::SetShown(GameObject* object, bool shown) {
    if (object != nullptr) {
        object->DrawEnabled = shown ? 1 : 0;
    }
}

void HudRootBhv::SetTint(GameObject* object, Color colour) {
    if (object != nullptr && object->Tint != nullptr) {
        object->Tint->Tint = colour;
    }
}
