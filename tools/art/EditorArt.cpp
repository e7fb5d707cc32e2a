#include "tools/art/EditorArt.h"

#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"

namespace qv::tools {

namespace {

namespace pal = palette;

constexpr Rgba kWidget = Hex(0x2C3244);
constexpr Rgba kWidgetEdge = Hex(0x8A94AC);
constexpr Rgba kMark = Hex(0xE8ECF4);

Sdf Arrow(float angle) {
    const Vec2 tip = FromAngle(angle, 0.6f), side = FromAngle(angle + kPi * 0.5f, 0.55f), back = FromAngle(angle, -0.35f);
    return Polygon({tip, back + side, back - side});
}

void DrawFrameBox(SpriteCanvas& c, Rgba fill, Rgba edge, float corner) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f, c.Height() / c.PixelsPerUnit() * 0.5f};
    c.Fill(RoundBox({0, 0}, half, corner), Solid(edge));
    c.Fill(RoundBox({0, 0}, half - Vec2{2 / c.PixelsPerUnit(), 2 / c.PixelsPerUnit()}, corner), Solid(fill));
}

void DrawCheck(SpriteCanvas& c, bool on) {
    DrawFrameBox(c, kWidget, kWidgetEdge, 0.2f);
    if (on) c.Fill(RoundBox({0, 0}, {0.45f, 0.45f}, 0.1f), Solid(pal::UiGood));
}

// Corner brackets around a selected object.
void DrawSelection(SpriteCanvas& c) {
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            const Vec2 corner{sx * 0.92f, sy * 0.92f};
            c.Fill(Union(Capsule(corner, corner - Vec2{sx * 0.4f, 0}, 0.05f), Capsule(corner, corner - Vec2{0, sy * 0.4f}, 0.05f)),
                   Solid(pal::White));
        }
    }
}

}  // namespace

std::vector<AtlasFrame> EditorFrames() {
    return {
        SolidWhiteFrame(false),
        UnlitFrame("EdPanel", 64, 64, [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x1A1E2A, 0.94f), Hex(0x4A5268), 0.15f); }),
        UnlitFrame("EdButton", 128, 32, [](SpriteCanvas& c) { DrawFrameBox(c, kWidget, kWidgetEdge, 0.3f); }),
        UnlitFrame("EdButtonHover", 128, 32, [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x3E4A66), pal::UiEdge, 0.3f); }),
        UnlitFrame("EdTextField", 128, 32, [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x0E1018), kWidgetEdge, 0.1f); }),
        UnlitFrame("EdCheckOn", 16, 16, [](SpriteCanvas& c) { DrawCheck(c, true); }),
        UnlitFrame("EdCheckOff", 16, 16, [](SpriteCanvas& c) { DrawCheck(c, false); }),
        UnlitFrame("EdArrowUp", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(kPi * 0.5f), Solid(kMark)); }),
        UnlitFrame("EdArrowDown", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(-kPi * 0.5f), Solid(kMark)); }),
        UnlitFrame("EdArrowRight", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(0), Solid(kMark)); }),
        UnlitFrame("EdCross", 16, 16, [](SpriteCanvas& c) {
            c.Fill(Union(Capsule({-0.55f, -0.55f}, {0.55f, 0.55f}, 0.14f), Capsule({-0.55f, 0.55f}, {0.55f, -0.55f}, 0.14f)), Solid(kMark));
        }),
        UnlitFrame("EdHandle", 16, 16, [](SpriteCanvas& c) {
            c.Fill(RoundBox({0, 0}, {0.8f, 0.8f}, 0.1f), Solid(pal::Outline));
            c.Fill(RoundBox({0, 0}, {0.55f, 0.55f}, 0.05f), Solid(pal::White));
        }),
        UnlitFrame("EdCircleHandle", 16, 16, [](SpriteCanvas& c) {
            c.Fill(Circle({0, 0}, 0.85f), Solid(pal::Outline));
            c.Fill(Circle({0, 0}, 0.6f), Solid(pal::White));
        }),
        UnlitFrame("EdSelection", 64, 64, DrawSelection),
        UnlitFrame("EdScrollThumb", 16, 64, [](SpriteCanvas& c) { DrawFrameBox(c, kWidgetEdge, Hex(0x5A6480), 0.5f); }),
    };
}

}  // namespace qv::tools
