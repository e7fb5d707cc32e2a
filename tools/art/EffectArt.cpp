#include "tools/art/EffectArt.h"

#include "tools/art/ArtKit.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"

#include <string>

namespace qv::tools {

namespace {

using namespace kit;
namespace pal = palette;

// A soft round light falling off to nothing at the frame's edge.
void DrawGlow(SpriteCanvas& c, Rgba core, Rgba rim) {
    c.Fill(Circle({0, 0}, 1.0f), [=](Vec2 p, float) {
        const float t = Saturate(Length(p));
        return WithAlpha(Mix(core, rim, t), (1 - t) * (1 - t));
    });
}

void DrawShot(SpriteCanvas& c, Rgba hot, float coreRadius) {
    DrawGlow(c, hot, hot);
    c.Fill(Circle({0, 0}, coreRadius), Radial({0, 0}, coreRadius, pal::ShotCore, hot));
}

void DrawChunk(SpriteCanvas& c, Rgba colour, std::uint32_t seed) {
    c.FillOutlined(Lump({0, 0}, 0.62f, 0.35f, 6, seed), Shell({0, 0}, 0.6f, colour, pal::Outline),
                   Relief{0.2f, 0.2f, true, 0.5f}, pal::Outline, 0.12f);
}

void DrawPuff(SpriteCanvas& c) {
    const Noise noise(61);
    for (int i = 0; i < 6; ++i) {
        const Vec2 at = FromAngle(i * 1.05f, 0.32f);
        c.Fill(Circle(at, 0.48f), [=](Vec2 p, float) {
            const float t = Saturate(Length(p - at) / 0.48f);
            const float n = noise.Fractal(p.X * 4, p.Y * 4, 2);
            return WithAlpha(Mix(pal::White, Hex(0xB8C0D8), t), 0.35f * (1 - t) * (0.6f + 0.6f * n));
        });
    }
}

}  // namespace

void DrawAimCursor(SpriteCanvas& c) {
    const Sdf ring = Outline(Circle({0, 0}, 0.62f), 0.07f);
    Sdf ticks = Capsule({0.48f, 0}, {0.92f, 0}, 0.07f);
    for (int i = 1; i < 4; ++i)
        ticks = Union(ticks, Capsule(FromAngle(i * kPi * 0.5f, 0.48f), FromAngle(i * kPi * 0.5f, 0.92f), 0.07f));
    const Sdf mark = Union({ring, ticks, Circle({0, 0}, 0.1f)});
    c.FillOutlined(mark, Solid(pal::White), Relief{}, WithAlpha(pal::Outline, 0.9f), 0.08f);
}

std::vector<AtlasFrame> EffectFrames() {
    std::vector<AtlasFrame> frames{
        SolidWhiteFrame(false),
        UnlitFrame("Bullet_0000", 16, 16, [](SpriteCanvas& c) { DrawShot(c, pal::ShotHot, 0.4f); }),
        UnlitFrame("Pellet_0000", 8, 8, [](SpriteCanvas& c) { DrawShot(c, Hex(0xFF8A30), 0.5f); }),
        UnlitFrame(
            "Spark_0000", 16, 16,
            [](SpriteCanvas& c) {
                c.Fill(Star({0, 0}, 0.95f, 0.2f, 4), Radial({0, 0}, 0.9f, pal::White, WithAlpha(pal::ShotHot, 0)));
            }),
        UnlitFrame("Glow", 64, 64, [](SpriteCanvas& c) { DrawGlow(c, pal::White, pal::White); }),
        UnlitFrame("ExitLight", 128, 128,
                   [](SpriteCanvas& c) { DrawGlow(c, Mix(pal::ExitGreen, pal::White, 0.5f), pal::ExitGreen); }),
        UnlitFrame("SpawnPuff_0000", 64, 64, DrawPuff),
        UnlitFrame("AimCursor", 32, 32, DrawAimCursor),
    };
    const Rgba insectColours[3] = {pal::AntBody, pal::ChaserShell, pal::CentipedeShell};
    for (int i = 0; i < 3; ++i) {
        frames.push_back(UnlitFrame(
            "ChunkInsect_000" + std::to_string(i), 16, 16,
            [=](SpriteCanvas& c) { DrawChunk(c, insectColours[i], 70u + i); }, 0.6f));
    }
    for (int i = 0; i < 2; ++i) {
        frames.push_back(UnlitFrame(
            "ChunkPlayer_000" + std::to_string(i), 16, 16,
            [=](SpriteCanvas& c) { DrawChunk(c, i == 0 ? pal::PlayerSuit : pal::PlayerHelmet, 80u + i); }, 0.6f));
        frames.push_back(UnlitFrame(
            "Pebble_000" + std::to_string(i), 16, 16, [=](SpriteCanvas& c) { DrawChunk(c, pal::Stone, 90u + i); },
            0.6f));
    }
    return frames;
}

}  // namespace qv::tools
