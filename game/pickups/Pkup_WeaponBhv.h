#pragma once

#include <cstdint>

#include "object/Behavior.h"
#include "object/WeaponType.h"

// A weapon lying in the level: offers a type with a number of shots and shows the
// weapon's icon, a turning border and the count. The player takes or swaps it.
class Pkup_WeaponBhv : public Behavior {
public:
    Pkup_WeaponBhv();

    void Start() override;
    void Update() override;

    // The icon, border and count of the offered weapon, when the weapons list knows it.
    void UpdateDisplay();

    int32_t GetAmmoCount() const { return AmmoCount; }
    // Also shows the new count.
    void SetAmmoCount(int32_t count);

    WeaponType Weapon = WeaponType::Pistol;
    // Written directly by the player's swap; the display follows on the next update.
    int32_t AmmoCount = 0;

private:
    float BorderRotateFreq = 1.0f;  // turns per second
};
