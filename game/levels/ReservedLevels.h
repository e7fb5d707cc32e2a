#pragma once

// Level object names that the level list and the screens treat by name.
namespace ReservedLevels {
// The boss ends the main progression; completing it opens Yay and Survival.
inline constexpr const char* Boss = "Lvl_Boss";
inline constexpr const char* Yay = "Lvl_Yay";
// Ants-freed mode, shown to the player as "Bonus 2".
inline constexpr const char* Bonus1 = "Lvl_Bonus1";
// Chase-and-score mode, shown as "Bonus 1".
inline constexpr const char* Bonus2 = "Lvl_Bonus2";
// Shown as "Bonus 3".
inline constexpr const char* Survival = "Lvl_Survival";
}  // namespace ReservedLevels
