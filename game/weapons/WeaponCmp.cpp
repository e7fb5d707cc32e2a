#include "game/weapons/WeaponCmp.h"

WeaponCmp::WeaponCmp() {
    RegisterProperty(&Weapon, "Weapon");
    RegisterProperty(&PrefabName, "PrefabName");
    RegisterProperty(&IconImage, "IconImage");
    RegisterProperty(&BorderImage, "BorderImage");
    RegisterProperty(&BorderTint, "BorderTint");
}
