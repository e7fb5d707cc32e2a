#include "game/weapons/WeaponsListBhv.h"

#include "game/weapons/WeaponCmp.h"
#include "object/GameObject.h"

WeaponsListBhv* gWeaponsList = nullptr;

WeaponsListBhv::~WeaponsListBhv() {
    if (gWeaponsList == this) {
        gWeaponsList = nullptr;
    }
}

void WeaponsListBhv::Start() {
    gWeaponsList = this;
    Weapons.clear();
    for (GameObject* child : Owner->Children) {
        if (WeaponCmp* weapon = child->GetComponent<WeaponCmp>()) {
            Weapons[weapon->Weapon] = weapon;
        }
    }
}

WeaponCmp* WeaponsListBhv::FindWeapon(WeaponType weapon) const {
    const auto found = Weapons.find(weapon);
    return found != Weapons.end() ? found->second : nullptr;
}

WeaponCmp* FindWeaponDescription(WeaponType weapon) {
    return gWeaponsList != nullptr ? gWeaponsList->FindWeapon(weapon) : nullptr;
}
