#include "game/pickups/Pkup_WeaponBhv.h"

#include <string>

#include "game/pickups/PickupBorder.h"
#include "game/weapons/WeaponCmp.h"
#include "game/weapons/WeaponsListBhv.h"
#include "object/GameObject.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

void ShowCount(GameObject& pickup, int32_t count) {
    GameObject* text = pickup.FindChild("Text");
    if (text != nullptr && text->Text != nullptr) {
        text->Text->Text = std::to_string(count);
    }
}

}  // namespace

Pkup_WeaponBhv::Pkup_WeaponBhv() {
    RegisterProperty(&BorderRotateFreq, "BorderRotateFreq");
    RegisterProperty(&Weapon, "Weapon");
    RegisterProxyProperty(this, &Pkup_WeaponBhv::GetAmmoCount, &Pkup_WeaponBhv::SetAmmoCount, "AmmoCount");
}

void Pkup_WeaponBhv::Start() {
    UpdateDisplay();
}

void Pkup_WeaponBhv::Update() {
    TurnPickupBorder(*Owner, BorderRotateFreq);
    UpdateDisplay();
}

void Pkup_WeaponBhv::UpdateDisplay() {
    const WeaponCmp* weapon = FindWeaponDescription(Weapon);
    if (weapon == nullptr) {
        return;
    }
    if (Sprite != nullptr) {
        Sprite->SetImageName(weapon->IconImage);
    }
    if (GameObject* border = Owner->FindChild("Border")) {
        if (border->Sprite != nullptr) {
            border->Sprite->SetImageName(weapon->BorderImage);
        }
        if (border->Tint != nullptr) {
            border->Tint->Tint = weapon->BorderTint;
        }
    }
    ShowCount(*Owner, AmmoCount);
}

void Pkup_WeaponBhv::SetAmmoCount(int32_t count) {
    AmmoCount = count;
    if (Owner != nullptr) {
        ShowCount(*Owner, count);
    }
}
