#include "tools/art/CreatureArt.h"

#include "tools/art/ArtKit.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"

#include <cmath>
#include <string>

namespace qv::tools {

namespace {

using namespace kit;
namespace pal = palette;

std::string Numbered(const std::string& stem, int index) {
    std::string digits = std::to_string(index);
    return stem + "_" + std::string(4 - digits.size(), '0') + digits;
}

// Six legs on a thorax, in a tripod gait: legs 0, 3, 4 swing against 1, 2, 5.
void SixLegs(SpriteCanvas& c, Vec2 thorax, float spread, float length, float swing, Rgba colour) {
    const float thighAngles[3] = {0.9f, 1.6f, 2.3f};
    const float shinTurns[3] = {-0.45f, 0.25f, 0.5f};
    for (int pair = 0; pair < 3; ++pair) {
        for (int side = -1; side <= 1; side += 2) {
            const int leg = pair * 2 + (side > 0 ? 0 : 1);
            const float phase = (leg == 0 || leg == 3 || leg == 4) ? swing : -swing;
            const Vec2 hip = thorax + Vec2{0.08f - 0.1f * pair, side * spread};
            const float thigh = side * (thighAngles[pair] + phase);
            Limb(c, Leg(hip, thigh, length * 0.5f, thigh + side * shinTurns[pair], length * 0.6f, 0.035f), colour);
        }
    }
}

void Antennae(SpriteCanvas& c, Vec2 base, float length, float sway, Rgba colour) {
    for (int side = -1; side <= 1; side += 2) {
        Limb(c,
             Leg(base + Vec2{0, side * 0.06f}, side * (0.7f + sway), length * 0.5f, side * (0.25f + sway),
                 length * 0.5f, 0.025f),
             colour);
    }
}

void Mandibles(SpriteCanvas& c, Vec2 base, float length, float open, Rgba colour) {
    for (int side = -1; side <= 1; side += 2) {
        Limb(
            c,
            Leg(base + Vec2{0, side * 0.08f}, side * open, length * 0.55f, -side * (open + 0.5f), length * 0.5f, 0.04f),
            colour);
    }
}

void DrawPlayer(SpriteCanvas& c, bool armed) {
    // Backpack with glowing tubes, then shoulders, arms, helmet and visor.
    Part(c, RoundBox({-0.38f, 0}, {0.15f, 0.3f}, 0.08f), Shell({-0.38f, 0}, 0.3f, pal::PlayerSuitDark, pal::Outline),
         0.18f);
    for (float y : {-0.14f, 0.14f})
        c.Fill(Capsule({-0.46f, y}, {-0.3f, y}, 0.035f), Solid(pal::PlayerGlow), Dome(0.04f, 0.03f, 0.9f));
    Part(c, Ellipse({-0.06f, 0}, {0.27f, 0.46f}), Shell({-0.06f, 0}, 0.46f, pal::PlayerSuit, pal::PlayerSuitDark),
         0.22f);
    if (armed) {
        for (int side = -1; side <= 1; side += 2) {
            Part(c, Capsule({-0.02f, side * 0.36f}, {0.4f, side * 0.1f}, 0.1f, 0.08f),
                 Shell({0.2f, 0}, 0.3f, pal::PlayerSuit, pal::PlayerSuitDark), 0.12f);
        }
        Part(c, RoundBox({0.62f, 0}, {0.28f, 0.075f}, 0.04f), Steel({0.62f, 0}, 0.075f), 0.12f, 0.8f);
        c.Fill(Circle({0.88f, 0}, 0.035f), Solid(pal::Outline));
        Part(c, Circle({0.42f, 0}, 0.1f), Shell({0.42f, 0}, 0.1f, pal::PlayerSuitDark, pal::Outline), 0.1f);
    } else {
        for (int side = -1; side <= 1; side += 2) {
            Part(c, Circle({0.14f, side * 0.44f}, 0.11f),
                 Shell({0.14f, side * 0.44f}, 0.11f, pal::PlayerSuitDark, pal::Outline), 0.12f);
        }
    }
    Part(c, Circle({0.04f, 0}, 0.26f), Shell({0.04f, 0}, 0.26f, pal::PlayerHelmet, pal::Metal), 0.3f, 0.7f);
    const Sdf visor = Intersect(Circle({0.06f, 0}, 0.2f), RoundBox({0.2f, 0}, {0.17f, 0.3f}, 0.0f));
    c.Fill(visor,
           Linear({0.05f, 0.2f}, {0.25f, -0.2f}, Mix(pal::PlayerVisor, pal::PlayerGlow, 0.45f), pal::PlayerVisor),
           Relief{0.02f, 0.05f, true, 1.0f});
    c.Fill(Intersect(Outline(Circle({0.06f, 0}, 0.15f), 0.022f), RoundBox({0.2f, 0.12f}, {0.1f, 0.1f}, 0)),
           Solid(WithAlpha(pal::White, 0.7f)));
}

void DrawAnt(SpriteCanvas& c, int frame) {
    const float swing = 0.35f * std::sin(frame * kPi * 0.5f);
    SixLegs(c, {0.08f, 0}, 0.06f, 0.55f, swing, pal::Leg);
    Antennae(c, {0.6f, 0}, 0.42f, swing * 0.3f, pal::Leg);
    Mandibles(c, {0.62f, 0}, 0.2f, 0.5f, pal::AntDark);
    const Paint abdomen = Banded(Shell({-0.46f, 0}, 0.34f, pal::AntBody, pal::AntDark), {1, 0}, 0.16f, 0.3f,
                                 WithAlpha(pal::AntDark, 0.35f));
    Part(c, Ellipse({-0.46f, 0}, {0.34f, 0.25f}), abdomen, 0.26f, 0.6f);
    Part(c, Circle({-0.15f, 0}, 0.07f), Solid(pal::AntDark), 0.08f);
    Part(c, Ellipse({0.09f, 0}, {0.2f, 0.12f}), Shell({0.09f, 0}, 0.2f, pal::AntBody, pal::AntDark), 0.18f, 0.6f);
    Part(c, Circle({0.5f, 0}, 0.17f), Shell({0.5f, 0}, 0.17f, pal::AntBody, pal::AntDark), 0.2f, 0.6f);
    for (int side = -1; side <= 1; side += 2)
        c.Fill(Circle({0.58f, side * 0.09f}, 0.035f), Solid(pal::Outline));
}

void DrawSack(SpriteCanvas& c, float swell) {
    const Sdf blob = Union({Circle({0, 0}, 0.6f * swell), Circle({0.3f, 0.26f}, 0.38f * swell),
                            Circle({-0.32f, -0.22f}, 0.4f * swell), Circle({0.12f, -0.4f}, 0.3f * swell),
                            Circle({-0.2f, 0.36f}, 0.3f * swell)});
    Part(c, blob, Mottled(Shell({0, 0}, 0.8f, pal::SackSkin, pal::SackVein), Noise(7), 0.25f, 0.15f), 0.45f, 0.9f);
    // Eggs pressing against the skin, and the veins over them.
    for (int i = 0; i < 7; ++i) {
        const Vec2 at = FromAngle(i * 2.4f, 0.18f + 0.07f * (i % 3)) * swell;
        c.Fill(Circle(at, 0.11f), Solid(WithAlpha(Mix(pal::SackSkin, pal::White, 0.45f), 0.5f)),
               Dome(0.06f, 0.08f, 0.9f));
    }
    for (int i = 0; i < 5; ++i) {
        const Vec2 from = FromAngle(i * 1.3f + 0.4f, 0.1f), to = FromAngle(i * 1.3f + 0.9f, 0.62f * swell);
        c.Fill(Capsule(from, to, 0.018f, 0.008f), Solid(WithAlpha(pal::SackVein, 0.7f)),
               Relief{0.02f, 0.02f, true, -1});
    }
}

void DrawChaser(SpriteCanvas& c, int frame) {
    const float swing = frame == 0 ? 0.25f : -0.25f;
    SixLegs(c, {0.05f, 0}, 0.2f, 0.5f, swing, pal::Leg);
    Mandibles(c, {0.52f, 0}, 0.34f, 0.75f, pal::ChaserDark);
    Part(c, Ellipse({-0.14f, 0}, {0.48f, 0.4f}), Shell({-0.14f, 0}, 0.48f, pal::ChaserShell, pal::ChaserDark), 0.35f,
         0.8f);
    c.Fill(Capsule({-0.6f, 0}, {0.2f, 0}, 0.018f), Solid(pal::Outline), Relief{-0.05f, 0.02f, true, -1});
    Part(c, Ellipse({0.3f, 0}, {0.16f, 0.27f}), Shell({0.3f, 0}, 0.27f, pal::ChaserShell, pal::ChaserDark), 0.22f,
         0.7f);
    Part(c, Circle({0.5f, 0}, 0.13f), Shell({0.5f, 0}, 0.13f, pal::ChaserDark, pal::Outline), 0.15f);
    for (int side = -1; side <= 1; side += 2)
        c.Fill(Circle({0.56f, side * 0.08f}, 0.04f), Solid(Hex(0xFF4030)), Dome(0.03f, 0.03f, 1.0f));
}

// Legs in the shell's colour, so they read against the dark ground; two pairs a
// segment, swept back, the pairs swinging against each other.
void CentipedeLegs(SpriteCanvas& c, float swing) {
    const Rgba leg = Mix(pal::CentipedeShell, pal::CentipedeDark, 0.35f);
    for (int pair = 0; pair < 2; ++pair) {
        const float phase = pair == 0 ? swing : -swing;
        for (int side = -1; side <= 1; side += 2) {
            const Vec2 hip{0.22f - 0.44f * pair, side * 0.42f};
            const float thigh = side * (kPi * 0.5f + 0.25f + phase);
            Limb(c, Leg(hip, thigh, 0.3f, thigh + side * 0.55f, 0.3f, 0.05f), leg);
        }
    }
}

void DrawCentipedeHead(SpriteCanvas& c) {
    CentipedeLegs(c, 0.1f);
    Antennae(c, {0.45f, 0}, 0.75f, 0.05f, Mix(pal::CentipedeShell, pal::CentipedeDark, 0.35f));
    Mandibles(c, {0.5f, 0}, 0.5f, 0.7f, pal::CentipedeDark);
    Part(c, Ellipse({0.02f, 0}, {0.6f, 0.56f}),
         Shell({0, 0}, 0.6f, Mix(pal::CentipedeShell, pal::White, 0.15f), pal::CentipedeDark), 0.38f, 0.7f);
    c.Fill(Capsule({-0.45f, 0}, {0.3f, 0}, 0.035f), Solid(WithAlpha(pal::CentipedeDark, 0.7f)),
           Relief{-0.03f, 0.03f, true, -1});
    for (int side = -1; side <= 1; side += 2) {
        c.Fill(Circle({0.36f, side * 0.24f}, 0.09f), Solid(pal::Outline), Dome(0.05f, 0.05f, 1.0f));
        c.Fill(Circle({0.39f, side * 0.26f}, 0.03f), Solid(WithAlpha(pal::White, 0.8f)));
    }
}

// A broad plate, longer than the spacing of the chain so neighbours overlap, with a
// dark joint toward the tail where the next plate tucks in.
void DrawCentipedeBody(SpriteCanvas& c, int frame) {
    CentipedeLegs(c, frame == 0 ? 0.2f : -0.2f);
    Part(c, Ellipse({-0.62f, 0}, {0.2f, 0.34f}), Solid(pal::CentipedeDark), 0.1f);
    const Sdf plate = RoundBox({0, 0}, {0.6f, 0.6f}, 0.4f);
    Part(c, plate, Shell({0, 0}, 0.6f, pal::CentipedeShell, pal::CentipedeDark), 0.32f, 0.6f);
    c.Fill(Intersect(Grow(plate, -0.05f), RoundBox({-0.42f, 0}, {0.1f, 0.7f}, 0)),
           Solid(WithAlpha(pal::CentipedeDark, 0.65f)), Relief{-0.05f, 0.05f, true, -1});
    c.Fill(Capsule({-0.35f, 0}, {0.45f, 0}, 0.05f), Solid(WithAlpha(Mix(pal::CentipedeShell, pal::White, 0.5f), 0.5f)));
}

}  // namespace

std::vector<AtlasFrame> CreatureFrames() {
    std::vector<AtlasFrame> frames;
    frames.push_back(LitFrame("Player_0000", 64, 64, [](SpriteCanvas& c) { DrawPlayer(c, false); }));
    frames.push_back(LitFrame("Player_0001", 64, 64, [](SpriteCanvas& c) { DrawPlayer(c, true); }));
    for (int i = 0; i < 4; ++i)
        frames.push_back(LitFrame(Numbered("Ant", i), 64, 64, [i](SpriteCanvas& c) { DrawAnt(c, i); }));
    for (int i = 0; i < 2; ++i) {
        frames.push_back(
            LitFrame(Numbered("AntSack", i), 64, 64, [i](SpriteCanvas& c) { DrawSack(c, 1.0f + 0.06f * i); }));
        frames.push_back(LitFrame(Numbered("Chaser", i), 64, 64, [i](SpriteCanvas& c) { DrawChaser(c, i); }));
        frames.push_back(
            LitFrame(Numbered("CentipedeBody", i), 64, 64, [i](SpriteCanvas& c) { DrawCentipedeBody(c, i); }));
    }
    frames.push_back(LitFrame("CentipedeHead_0000", 64, 64, DrawCentipedeHead));
    return frames;
}

}  // namespace qv::tools
