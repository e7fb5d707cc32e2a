#pragma once

#include <cstdint>
#include <string>

#include "object/Behavior.h"
#include "object/Color.h"

class LevelDataCmp;

// The HUD inside the gameplay screen: every pass it writes the level number, the time
// against par, the best time, the held weapon with its shots and the bonus modes' count
// line into its named children, and flashes the weapon panel when shots run low. A
// child that is missing, or a level, list or save it cannot read, is simply not shown.
class HudRootBhv : public Behavior {
public:
    HudRootBhv();

    // Takes the normal colours of "TimeText" and of the weapon panel; hides "AntsFreed".
    void Start() override;
    // Refresh, every pass in which the HUD updates.
    void Update() override;
    // Writes every line from the running game at once; also for a level loaded while
    // the HUD does not update (the game paused in edit mode).
    void Refresh();

    // Plays "LowAmmo", then blinks the weapon panel AmmoFlashCount times.
    CoCommand LowAmmoFlashCoroutine(int step);

private:
    void UpdateWeaponPanel();
    void UpdateLevelLines(const LevelDataCmp& level);
    void UpdateModeLine();
    void HideLevelLines();

    // Children by name, null when absent.
    GameObject* Child(const char* name) const;
    GameObject* WeaponPart(const char* name) const;
    void SetText(const char* name, const std::string& text) const;
    static void SetShown(GameObject* object, bool shown);
    void SetShown(const char* name, bool shown) const { SetShown(Child(name), shown); }
    static void SetTint(GameObject* object, Color colour);

    Color OvertimeColor{255, 136, 136, 255};
    Color UndertimeColor{136, 255, 136, 255};
    Color TimeTextColor{255, 255, 255, 255};
    int32_t AmmoWarningLevel = 3;
    float AmmoFlashInterval = 2.0f / 3.0f;  // one blink: half warning, half normal
    int32_t AmmoFlashCount = 2;
    int32_t FlashesLeft = 0;
    Color WeaponPanelColor{255, 255, 255, 255};
    Color WarningTint{255, 102, 102, 255};
    int32_t LastAmmo = -1;
};
