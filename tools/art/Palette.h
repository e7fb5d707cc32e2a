#pragma once

#include "tools/draw/Rgba.h"

// The colours every picture draws from, so the game reads as one style: a dark
// cool ground, warm insects, a cool bright player, white-hot shots.
namespace qv::tools::palette {

constexpr Rgba Outline = Hex(0x0B0A12);
constexpr Rgba Shadow = Hex(0x1A1826);

constexpr Rgba PlayerSuit = Hex(0x2EC4D6);
constexpr Rgba PlayerSuitDark = Hex(0x16707E);
constexpr Rgba PlayerHelmet = Hex(0xE6F2FA);
constexpr Rgba PlayerVisor = Hex(0x0E2A38);
constexpr Rgba PlayerGlow = Hex(0x9FF6FF);

constexpr Rgba AntBody = Hex(0xD04A28);
constexpr Rgba AntDark = Hex(0x6E1E12);
constexpr Rgba SackSkin = Hex(0xB8509E);
constexpr Rgba SackVein = Hex(0x5E1850);
constexpr Rgba ChaserShell = Hex(0x84D040);
constexpr Rgba ChaserDark = Hex(0x2E5A16);
constexpr Rgba CentipedeShell = Hex(0xE6A630);
constexpr Rgba CentipedeDark = Hex(0x7A4A10);
constexpr Rgba Leg = Hex(0x2A1A14);

constexpr Rgba Metal = Hex(0x9AA4B4);
constexpr Rgba MetalDark = Hex(0x4A5262);
constexpr Rgba Wood = Hex(0x8A5A32);
constexpr Rgba Stone = Hex(0x5C6478);
constexpr Rgba StoneDark = Hex(0x2E3242);

constexpr Rgba PillWhite = Hex(0xFFF6E0);
constexpr Rgba PillPink = Hex(0xFF5AA8);
constexpr Rgba ExitGreen = Hex(0x48FF9A);
constexpr Rgba ShotCore = Hex(0xFFFCE8);
constexpr Rgba ShotHot = Hex(0xFFC840);
constexpr Rgba White = Hex(0xFFFFFF);

constexpr Rgba UiPanel = Hex(0x141826, 0.88f);
constexpr Rgba UiEdge = Hex(0x6AD8E8);
constexpr Rgba UiText = Hex(0xF0F4FF);
constexpr Rgba UiAccent = Hex(0xFFC840);
constexpr Rgba UiGood = Hex(0x58E070);
constexpr Rgba UiBad = Hex(0xE05050);

}  // namespace qv::tools::palette
