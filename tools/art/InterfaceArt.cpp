#include "tools/art/InterfaceArt.h"

#include "tools/art/ArtKit.h"
#include "tools/art/BackgroundArt.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"
#include "tools/text/FontFace.h"
#include "tools/text/TextStamp.h"

#include <cmath>

namespace qv::tools {

namespace {

using namespace kit;
namespace pal = palette;

// A rounded panel filling the frame (width/height in drawing units), with a lit edge.
void DrawPanel(SpriteCanvas& c, Rgba fill, Rgba edge, float corner) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f - 0.04f, c.Height() / c.PixelsPerUnit() * 0.5f - 0.04f};
    const Sdf body = RoundBox({0, 0}, half, corner);
    c.Fill(body, Linear({0, half.Y}, {0, -half.Y}, Mix(fill, pal::White, 0.08f), Mix(fill, pal::Outline, 0.4f)),
           Relief{0.1f, 0.15f, false, 0});
    c.Fill(Outline(Grow(body, -0.03f), 0.025f), Solid(edge));
}

void DrawIconDisc(SpriteCanvas& c, Rgba colour) {
    c.FillOutlined(Circle({0, 0}, 0.82f), Shell({0, 0}, 0.82f, colour, pal::Outline), Relief{0.3f, 0.3f, true, 0.6f},
                   pal::Outline, 0.08f);
}

Sdf CheckMark(float scale) {
    return Union(Capsule(Vec2{-0.42f, 0.02f} * scale, Vec2{-0.12f, -0.3f} * scale, 0.11f * scale),
                 Capsule(Vec2{-0.12f, -0.3f} * scale, Vec2{0.45f, 0.36f} * scale, 0.11f * scale));
}

void DrawLock(SpriteCanvas& c) {
    c.FillOutlined(Intersect(Outline(Circle({0, 0.2f}, 0.36f), 0.09f), RoundBox({0, 0.5f}, {0.6f, 0.5f}, 0)),
                   Steel({0, 0.3f}, 0.4f), Relief{0.1f, 0.08f, true, 0.8f}, pal::Outline, 0.07f);
    c.FillOutlined(RoundBox({0, -0.3f}, {0.6f, 0.46f}, 0.12f), Shell({0, -0.3f}, 0.6f, pal::UiAccent, Hex(0x7A4A08)),
                   Relief{0.2f, 0.15f, true, 0.6f}, pal::Outline, 0.07f);
    c.Fill(Union(Circle({0, -0.22f}, 0.12f), Capsule({0, -0.22f}, {0, -0.5f}, 0.06f)), Solid(pal::Outline));
}

void DrawClock(SpriteCanvas& c) {
    DrawIconDisc(c, pal::UiEdge);
    c.Fill(Circle({0, 0}, 0.6f), Solid(pal::UiText));
    for (int i = 0; i < 12; ++i)
        c.Fill(Capsule(FromAngle(i * kPi / 6, 0.48f), FromAngle(i * kPi / 6, 0.54f), 0.03f), Solid(pal::Outline));
    c.Fill(Union(Capsule({0, 0}, {0, 0.42f}, 0.05f), Capsule({0, 0}, {0.3f, -0.1f}, 0.05f)), Solid(pal::Outline));
}

void DrawBox(SpriteCanvas& c, bool checked) {
    c.FillOutlined(RoundBox({0, 0}, {0.7f, 0.7f}, 0.16f), Solid(pal::UiPanel), Relief{}, pal::UiEdge, 0.08f);
    if (checked)
        c.FillOutlined(CheckMark(1.1f), Solid(pal::UiGood), Relief{}, pal::Outline, 0.06f);
}

void DrawStarBadge(SpriteCanvas& c) {
    c.FillOutlined(Star({0, 0}, 0.95f, 0.7f, 12), Shell({0, 0}, 0.9f, pal::UiBad, Hex(0x601010)),
                   Relief{0.2f, 0.2f, true, 0.5f}, pal::Outline, 0.05f);
    c.FillOutlined(Star({0, 0.02f}, 0.55f, 0.24f, 5, kPi / 2), Shell({0, 0}, 0.5f, pal::UiAccent, Hex(0x906010)),
                   Relief{0.2f, 0.15f, true, 0.9f}, pal::Outline, 0.05f);
}

void DrawSpeaker(SpriteCanvas& c, bool music) {
    DrawIconDisc(c, Hex(0x2A3450));
    if (music) {
        c.Fill(Union({Circle({-0.2f, -0.3f}, 0.16f), Circle({0.28f, -0.2f}, 0.16f),
                      Capsule({-0.06f, -0.3f}, {-0.06f, 0.4f}, 0.05f), Capsule({0.42f, -0.2f}, {0.42f, 0.5f}, 0.05f),
                      Capsule({-0.06f, 0.4f}, {0.42f, 0.5f}, 0.08f)}),
               Solid(pal::UiText));
    } else {
        c.Fill(
            Polygon(
                {{-0.5f, -0.18f}, {-0.25f, -0.18f}, {0.08f, -0.45f}, {0.08f, 0.45f}, {-0.25f, 0.18f}, {-0.5f, 0.18f}}),
            Solid(pal::UiText));
        for (float r : {0.3f, 0.48f}) {
            c.Fill(Intersect(Outline(Circle({0.08f, 0}, r), 0.04f), RoundBox({0.6f, 0}, {0.5f, 0.6f}, 0)),
                   Solid(pal::UiText));
        }
    }
}

void DrawMutedCross(SpriteCanvas& c) {
    const Sdf cross =
        Union(Capsule({-0.55f, -0.55f}, {0.55f, 0.55f}, 0.1f), Capsule({-0.55f, 0.55f}, {0.55f, -0.55f}, 0.1f));
    c.FillOutlined(cross, Solid(pal::UiBad), Relief{}, pal::Outline, 0.06f);
}

void DrawDisplayIcon(SpriteCanvas& c) {
    DrawIconDisc(c, Hex(0x2A3450));
    c.FillOutlined(RoundBox({0, 0.08f}, {0.5f, 0.32f}, 0.06f), Solid(Hex(0x3C8CB0)), Relief{}, pal::UiText, 0.06f);
    c.Fill(Union(Capsule({0, -0.3f}, {0, -0.42f}, 0.05f), Capsule({-0.22f, -0.46f}, {0.22f, -0.46f}, 0.05f)),
           Solid(pal::UiText));
}

void DrawMapCursor(SpriteCanvas& c) {
    c.Fill(Outline(Circle({0, 0}, 0.74f), 0.06f), Solid(pal::UiAccent));
    for (int i = 0; i < 4; ++i) {
        const float a = i * kPi * 0.5f;
        const Vec2 tip = FromAngle(a, 0.55f), back = FromAngle(a, 0.95f), side = FromAngle(a + kPi * 0.5f, 0.16f);
        c.FillOutlined(Polygon({tip, back + side, back - side}), Solid(pal::UiAccent), Relief{}, pal::Outline, 0.04f);
    }
}

void DrawLevelRing(SpriteCanvas& c) {
    for (int i = 0; i < 24; ++i) {
        const float a0 = i * kPi / 12, a1 = a0 + kPi / 20;
        c.Fill(Capsule(FromAngle(a0, 0.9f), FromAngle(a1, 0.9f), 0.035f), Solid(pal::White));
    }
    c.Fill(Outline(Circle({0, 0}, 0.78f), 0.015f), Solid(WithAlpha(pal::White, 0.6f)));
}

// A key cap, its top face lit, with a label or an arrow.
void DrawKeyCap(SpriteCanvas& c, const FontFace* face, const char* label, float arrowAngle) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f - 0.06f, 0.92f};
    c.FillOutlined(RoundBox({0, -0.06f}, half, 0.22f), Solid(Hex(0x8C94A8)), Relief{0.2f, 0.1f, false, 0.2f},
                   pal::Outline, 0.05f);
    c.Fill(RoundBox({0, 0.04f}, half - Vec2{0.14f, 0.2f}, 0.16f),
           Linear({0, 0.8f}, {0, -0.6f}, Hex(0xF4F6FA), Hex(0xC4CAD8)), Relief{0.1f, 0.1f, true, 0.5f});
    if (face != nullptr)
        StampText(c, *face, label, {0, 0.04f}, Hex(0x20242E));
    if (arrowAngle >= -kPi) {
        const Vec2 tip = FromAngle(arrowAngle, 0.42f), tail = FromAngle(arrowAngle, -0.4f);
        const Vec2 side = FromAngle(arrowAngle + kPi * 0.5f, 0.26f), neck = FromAngle(arrowAngle, 0.02f);
        c.Fill(Union(Capsule(tail + Vec2{0, 0.04f}, neck + Vec2{0, 0.04f}, 0.08f),
                     Polygon({tip + Vec2{0, 0.04f}, neck + side + Vec2{0, 0.04f}, neck - side + Vec2{0, 0.04f}})),
               Solid(Hex(0x20242E)));
    }
}

// A framed miniature of a background, for choosing it.
void DrawThumbnail(SpriteCanvas& c, const Image8& picture) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f - 0.08f, c.Height() / c.PixelsPerUnit() * 0.5f - 0.08f};
    c.Fill(RoundBox({0, 0}, half, 0.2f), [&](Vec2 p, float) {
        const int x = static_cast<int>((p.X / (2 * half.X) + 0.5f) * (picture.Width - 1));
        const int y = static_cast<int>((0.5f - p.Y / (2 * half.Y)) * (picture.Height - 1));
        const std::uint8_t* px = picture.At(std::clamp(x, 0, picture.Width - 1), std::clamp(y, 0, picture.Height - 1));
        return Rgba{px[0] / 255.0f, px[1] / 255.0f, px[2] / 255.0f, 1.0f};
    });
    c.Fill(Outline(RoundBox({0, 0}, half, 0.2f), 0.05f), Solid(pal::UiEdge));
}

// Map nodes: the state must read at a glance, so each is its own colour and mark.
void DrawLockedNode(SpriteCanvas& c) {
    DrawIconDisc(c, Hex(0x3A3E4C));
    c.FillOutlined(RoundBox({0, -0.2f}, {0.34f, 0.26f}, 0.07f), Solid(Hex(0x8C94A8)), Relief{}, pal::Outline, 0.05f);
    c.Fill(Intersect(Outline(Circle({0, 0.1f}, 0.22f), 0.06f), RoundBox({0, 0.3f}, {0.4f, 0.22f}, 0)),
           Solid(Hex(0x8C94A8)));
}

void DrawCompletedNode(SpriteCanvas& c) {
    DrawIconDisc(c, pal::UiGood);
    c.FillOutlined(CheckMark(1.0f), Solid(pal::White), Relief{}, pal::Outline, 0.06f);
}

void DrawParStar(SpriteCanvas& c) {
    c.FillOutlined(Star({0, 0}, 0.9f, 0.42f, 5, kPi / 2), Shell({0, 0.1f}, 0.8f, pal::UiAccent, Hex(0x906010)),
                   Relief{0.2f, 0.15f, true, 0.9f}, pal::Outline, 0.08f);
}

void DrawBonusNode(SpriteCanvas& c) {
    DrawIconDisc(c, Hex(0xB85AD8));
    c.FillOutlined(Star({0, 0}, 0.5f, 0.22f, 4, kPi / 4), Solid(pal::White), Relief{}, pal::Outline, 0.05f);
}

constexpr float kNoArrow = -10.0f;

}  // namespace

std::vector<AtlasFrame> InterfaceFrames() {
    const FontFace keyFont(DejaVuSansPath(true), 20);
    const FontFace bigKeyFont(DejaVuSansPath(true), 28);
    return {
        SolidWhiteFrame(false),
        UnlitFrame("Panel", 256, 128, [](SpriteCanvas& c) { DrawPanel(c, pal::UiPanel, pal::UiEdge, 0.25f); }),
        UnlitFrame("PanelWide", 512, 128, [](SpriteCanvas& c) { DrawPanel(c, pal::UiPanel, pal::UiEdge, 0.25f); }),
        UnlitFrame("PanelEnd", 512, 256,
                   [](SpriteCanvas& c) { DrawPanel(c, Hex(0x161E34, 0.94f), pal::UiAccent, 0.3f); }),
        UnlitFrame("Banner", 512, 64, [](SpriteCanvas& c) { DrawPanel(c, Hex(0x2A1A08, 0.92f), pal::UiAccent, 0.4f); }),
        UnlitFrame(
            "Button", 256, 64, [](SpriteCanvas& c) { DrawPanel(c, Hex(0x1E2840, 0.95f), pal::UiEdge, 0.5f); }, 0.4f),
        UnlitFrame(
            "ButtonHighlight", 256, 64,
            [](SpriteCanvas& c) { DrawPanel(c, Hex(0x3A6878, 0.95f), pal::UiAccent, 0.5f); }, 0.4f),
        UnlitFrame("IconLock", 64, 64, DrawLock, 0.5f),
        UnlitFrame(
            "IconComplete", 64, 64,
            [](SpriteCanvas& c) {
                DrawIconDisc(c, pal::UiGood);
                c.FillOutlined(CheckMark(1.0f), Solid(pal::White), Relief{}, pal::Outline, 0.05f);
            },
            0.5f),
        UnlitFrame("IconPar", 64, 64, DrawClock, 0.5f),
        UnlitFrame("IconChecked", 64, 64, [](SpriteCanvas& c) { DrawBox(c, true); }),
        UnlitFrame("IconUnchecked", 64, 64, [](SpriteCanvas& c) { DrawBox(c, false); }),
        UnlitFrame("IconNewBest", 64, 64, DrawStarBadge, 0.5f),
        UnlitFrame(
            "IconMusic", 64, 64, [](SpriteCanvas& c) { DrawSpeaker(c, true); }, 0.5f),
        UnlitFrame(
            "IconSound", 64, 64, [](SpriteCanvas& c) { DrawSpeaker(c, false); }, 0.5f),
        UnlitFrame("IconMuted", 64, 64, DrawMutedCross),
        UnlitFrame("IconDisplay", 64, 64, DrawDisplayIcon, 0.5f),
        UnlitFrame(
            "MapNode", 32, 32, [](SpriteCanvas& c) { DrawIconDisc(c, pal::UiEdge); }, 0.5f),
        UnlitFrame("MapCursor", 64, 64, DrawMapCursor),
        UnlitFrame("MapNodeLocked", 64, 64, DrawLockedNode, 0.5f),
        UnlitFrame("MapNodeComplete", 64, 64, DrawCompletedNode, 0.5f),
        UnlitFrame("MapNodeBonus", 64, 64, DrawBonusNode, 0.5f),
        UnlitFrame("MapParStar", 64, 64, DrawParStar, 0.5f),
        UnlitFrame("LevelRing", 128, 128, DrawLevelRing),
        UnlitFrame(
            "Key_Space", 128, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &keyFont, "Space", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_Esc", 64, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &keyFont, "Esc", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_M", 64, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &bigKeyFont, "M", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_P", 64, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &bigKeyFont, "P", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_R", 64, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &bigKeyFont, "R", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_F", 64, 64, [&](SpriteCanvas& c) { DrawKeyCap(c, &bigKeyFont, "F", kNoArrow); }, 0.4f),
        UnlitFrame(
            "Key_Left", 64, 64, [](SpriteCanvas& c) { DrawKeyCap(c, nullptr, "", kPi); }, 0.4f),
        UnlitFrame(
            "Key_Right", 64, 64, [](SpriteCanvas& c) { DrawKeyCap(c, nullptr, "", 0); }, 0.4f),
        UnlitFrame("AltBg1", 128, 64, [](SpriteCanvas& c) { DrawThumbnail(c, BackgroundPicture("BackgroundPill")); }),
        UnlitFrame("AltBg2", 128, 64, [](SpriteCanvas& c) { DrawThumbnail(c, BackgroundPicture("Background3")); }),
    };
}

}  // namespace qv::tools
