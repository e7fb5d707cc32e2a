#pragma once

#include <string>

#include "object/Color.h"
#include "object/Component.h"
#include "object/IEditable.h"
#include "object/WeaponType.h"

// The description of one weapon type: the prefab of the held weapon and the pictures
// that pick-ups and the HUD show for it.
class WeaponCmp : public Component, public IEditable {
public:
    WeaponCmp();

    WeaponType Weapon = WeaponType::Pistol;
    std::string PrefabName;
    std::string IconImage = "1PixelWhite";
    std::string BorderImage = "1PixelWhite";
    Color BorderTint{255, 255, 255, 255};
};
