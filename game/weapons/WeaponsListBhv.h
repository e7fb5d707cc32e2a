#pragma once

#include <map>

#include "object/Behavior.h"
#include "object/WeaponType.h"

class WeaponCmp;

// Maps each weapon type to its description, taken from the WeaponCmp of each child.
class WeaponsListBhv : public Behavior {
public:
    // Clears gWeaponsList when it names this instance.
    ~WeaponsListBhv() override;

    // Becomes gWeaponsList and reads the children's descriptions; a later child of the
    // same type replaces an earlier one.
    void Start() override;

    // Null for a type without a description.
    WeaponCmp* FindWeapon(WeaponType weapon) const;

    std::map<WeaponType, WeaponCmp*> Weapons;
};

extern WeaponsListBhv* gWeaponsList;

// The description of that type in the current weapons list; null without either.
WeaponCmp* FindWeaponDescription(WeaponType weapon);
