#pragma once

#include <cstdint>
#include <string>

enum class WeaponType : int32_t { Pistol = 0, Shotgun = 1 };

// "" for a value without a name; text that names no weapon reads as Pistol.
std::string WeaponTypeToString(WeaponType weapon);
WeaponType WeaponTypeFromString(const std::string& text);
