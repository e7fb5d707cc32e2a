#include "object/WeaponType.h"

#include "object/EnumNames.h"

namespace {

constexpr EnumName<WeaponType> kWeaponNames[] = {{WeaponType::Pistol, "Pistol"}, {WeaponType::Shotgun, "Shotgun"}};

}  // namespace

std::string WeaponTypeToString(WeaponType weapon) {
    return FindEnumName<WeaponType>(kWeaponNames, weapon);
}

WeaponType WeaponTypeFromString(const std::string& text) {
    return FindEnumValue<WeaponType>(kWeaponNames, text).value_or(WeaponType::Pistol);
}
