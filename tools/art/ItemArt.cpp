#include "tools/art/ItemArt.h"

#include "tools/art/ArtKit.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"

namespace qv::tools {

namespace {

using namespace kit;
namespace pal = palette;

void DrawPill(SpriteCanvas& c) {
    const Sdf capsule = Capsule({-0.5f, -0.28f}, {0.5f, 0.28f}, 0.36f);
    const Sdf pinkHalf = Intersect(capsule, Polygon({{0, 0}, {1, -1.8f}, {2, 0}, {1, 1.8f}}));
    Part(c, capsule, Shell({0, 0}, 0.8f, pal::PillWhite, pal::Metal), 0.3f, 1.0f);
    c.Fill(pinkHalf, Shell({0.4f, 0.2f}, 0.6f, pal::PillPink, Hex(0x8A1850)), Relief{0, 0.1f, true, 1.0f});
    c.Fill(Capsule({-0.45f, 0.02f}, {0.25f, 0.42f}, 0.05f), Solid(WithAlpha(pal::White, 0.7f)));
}

void DrawPistol(SpriteCanvas& c) {
    Part(c, RoundBox({-0.28f, -0.24f}, {0.13f, 0.3f}, 0.06f, -0.3f),
         Shell({-0.28f, -0.24f}, 0.3f, pal::MetalDark, pal::Outline), 0.15f);
    Part(c, Outline(Circle({-0.02f, -0.2f}, 0.14f), 0.035f), Solid(pal::MetalDark), 0.06f);
    Part(c, RoundBox({0.08f, 0.12f}, {0.55f, 0.15f}, 0.05f), Steel({0.08f, 0.12f}, 0.15f), 0.2f, 0.9f);
    c.Fill(Circle({0.6f, 0.12f}, 0.05f), Solid(pal::Outline));
}

void DrawShotgun(SpriteCanvas& c) {
    Part(c, Polygon({{-0.95f, -0.28f}, {-0.35f, 0.0f}, {-0.3f, 0.16f}, {-0.95f, 0.02f}}),
         Shell({-0.6f, 0}, 0.4f, pal::Wood, Hex(0x3A2010)), 0.15f);
    Part(c, RoundBox({0.18f, 0.1f}, {0.75f, 0.07f}, 0.03f), Steel({0.18f, 0.1f}, 0.07f), 0.14f, 0.9f);
    Part(c, RoundBox({-0.18f, 0.04f}, {0.2f, 0.12f}, 0.04f), Steel({-0.18f, 0.04f}, 0.12f), 0.16f, 0.8f);
    Part(c, RoundBox({0.3f, -0.05f}, {0.24f, 0.075f}, 0.05f), Shell({0.3f, -0.05f}, 0.2f, pal::Wood, Hex(0x3A2010)),
         0.14f);
}

// Borders are white so the pick-up's tint colours them.
void DrawBorder(SpriteCanvas& c, const Sdf& shape) {
    c.Fill(Grow(Outline(shape, 0.06f), 0.04f), Solid(WithAlpha(pal::White, 0.25f)), Relief{});
    c.FillOutlined(Outline(shape, 0.05f), Solid(pal::White), Dome(0.1f, 0.05f, 0.6f), WithAlpha(pal::Outline, 0.8f),
                   0.03f);
}

void DrawExit(SpriteCanvas& c) {
    const Sdf octagon = Star({0, 0}, 0.92f, 0.92f * 0.924f, 8, kPi / 8);
    Part(c, octagon, Steel({0, 0}, 0.9f), 0.2f, 0.7f);
    c.Fill(Circle({0, 0}, 0.62f), Radial({0, 0}, 0.62f, Mix(pal::ExitGreen, pal::White, 0.3f), Hex(0x06301A)),
           Relief{-0.2f, 0.12f, true, 0.2f});
    for (int i = 0; i < 4; ++i) {
        const float a = i * kPi * 0.5f + kPi * 0.25f;
        const Vec2 tip = FromAngle(a, 0.44f), back = FromAngle(a, 0.6f);
        const Vec2 side = FromAngle(a + kPi * 0.5f, 0.1f);
        c.Fill(Polygon({tip, back + side, back - side}), Solid(pal::ExitGreen), Relief{0.05f, 0.03f, true, 0.8f});
        c.Fill(Circle(FromAngle(i * kPi * 0.5f, 0.78f), 0.05f), Solid(pal::MetalDark), Dome(0.05f, 0.04f, 0.9f));
    }
}

void DrawWallBlock(SpriteCanvas& c) {
    c.Fill(RoundBox({0, 0}, {1, 1}, 0.02f), Mottled(Solid(pal::Stone), Noise(31), 0.3f, 0.18f),
           Relief{0.2f, 0.22f, false, 0.15f});
    c.Fill(Outline(RoundBox({0, 0}, {1, 1}, 0.02f), 0.03f), Solid(pal::StoneDark), Relief{});
    c.Roughen(RoundBox({0, 0}, {0.8f, 0.8f}, 0.1f), Noise(32), 0.12f, 0.08f);
}

void DrawBoulder(SpriteCanvas& c) {
    const Sdf rock = Lump({0, 0}, 0.86f, 0.12f, 11, 41);
    Part(c, rock, Mottled(Shell({0, 0}, 0.86f, pal::Stone, pal::StoneDark), Noise(42), 0.25f, 0.2f), 0.4f, 0.15f);
    c.Roughen(Grow(rock, -0.1f), Noise(43), 0.15f, 0.1f);
}

}  // namespace

std::vector<AtlasFrame> ItemFrames() {
    return {
        LitFrame("Pill_0000", 32, 32, DrawPill),
        LitFrame("PistolIcon", 64, 64, DrawPistol),
        LitFrame("ShotgunIcon", 64, 64, DrawShotgun),
        LitFrame("PistolBorder", 64, 64,
                 [](SpriteCanvas& c) {
                     DrawBorder(c, Circle({0, 0}, 0.84f));
                 }),
        LitFrame("ShotgunBorder", 64, 64,
                 [](SpriteCanvas& c) {
                     DrawBorder(c, Star({0, 0}, 0.88f, 0.88f * 0.866f, 6, kPi / 6));
                 }),
        LitFrame("PillBorder", 64, 64,
                 [](SpriteCanvas& c) {
                     DrawBorder(c, RoundBox({0, 0}, {0.6f, 0.6f}, 0.22f, kPi / 4));
                 }),
        LitFrame("Exit_0000", 128, 128, DrawExit),
        LitFrame("Wall_0000", 64, 64, DrawWallBlock),
        LitFrame("Wall_0001", 64, 64, DrawBoulder),
    };
}

}  // namespace qv::tools
