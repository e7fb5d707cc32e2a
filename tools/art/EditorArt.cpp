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
    const Vec2 tip = FromAngle(angle, 0.6f), side = FromAngle(angle + kPi * 0.5f, 0.55f),
               back = FromAngle(angle, -0.35f);
    return Polygon({tip, back + side, back - side});
}

void DrawFrameBox(SpriteCanvas& c, Rgba fill, Rgba edge, float corner) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f, c.Height() / c.PixelsPerUnit() * 0.5f};
    c.Fill(RoundBox({0, 0}, half, corner), Solid(edge));
    c.Fill(RoundBox({0, 0}, half - Vec2{2 / c.PixelsPerUnit(), 2 / c.PixelsPerUnit()}, corner), Solid(fill));
}

void DrawCheck(SpriteCanvas& c, bool on) {
    DrawFrameBox(c, kWidget, kWidgetEdge, 0.2f);
    if (on)
        c.Fill(RoundBox({0, 0}, {0.45f, 0.45f}, 0.1f), Solid(pal::UiGood));
}

// A bright rim at the frame's very edge, clear inside. Selections are drawn as wireframe
// quads, so only the texels along the quad's edges show: the rim becomes an outline of
// any size, and the quad's diagonal crosses the clear inside unseen.
void DrawSelection(SpriteCanvas& c) {
    const Vec2 half{c.Width() / c.PixelsPerUnit() * 0.5f, c.Height() / c.PixelsPerUnit() * 0.5f};
    const float rim = 2 / c.PixelsPerUnit();
    c.Fill(Subtract(RoundBox({0, 0}, half, 0), RoundBox({0, 0}, half - Vec2{rim, rim}, 0)), Solid(pal::White));
}

// Lit from the top left: light top and left edges, dark bottom and right edges over a
// soft vertical gradient. Widgets draw it mirrored on both axes for the pressed look,
// which turns the light edges to the bottom right. Drawn near white so that tints
// give each widget its colour.
void DrawBevel(SpriteCanvas& c) {
    const int w = c.Width(), h = c.Height();
    // Rows are drawn shorter than they are stored (32 to about 24 pixels), so the top
    // and bottom edges are two rows thick; the sides stretch little and stay one column.
    const int rows = 2;
    const Rgba shade = Hex(0x4A5264);
    for (int y = 0; y < h; ++y) {
        const Rgba fill = Mix(Hex(0xF2F4F8), Hex(0xC8CEDA), static_cast<float>(y) / static_cast<float>(h - 1));
        for (int x = 0; x < w; ++x) {
            Rgba colour = fill;
            if (y < rows || x == 0)
                colour = pal::White;
            else if (y >= h - rows || x == w - 1)
                colour = shade;
            else if (y == h - rows - 1 || x == w - 2)
                colour = Mix(fill, shade, 0.45f);
            else if (y == rows || x == 1)
                colour = Mix(fill, pal::White, 0.6f);
            c.BlendPixel(x, y, colour, 1.0f);
        }
    }
}

// A flat fill with a one-pixel border a little darker than the fill.
void DrawFlatFrame(SpriteCanvas& c) {
    const int w = c.Width(), h = c.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            c.BlendPixel(x, y, edge ? Hex(0x9AA2B4) : pal::White, 1.0f);
        }
    }
}

}  // namespace

std::vector<AtlasFrame> EditorFrames() {
    return {
        SolidWhiteFrame(false),
        UnlitFrame("EdBevel", 64, 32, DrawBevel),
        UnlitFrame("EdFlatFrame", 64, 16, DrawFlatFrame),
        UnlitFrame("EdFlat", 8, 8,
                   [](SpriteCanvas& c) {
                       c.Fill(RoundBox({0, 0}, {1.5f, 1.5f}, 0), Solid(pal::White));
                   }),
        UnlitFrame("EdPanel", 64, 64,
                   [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x1A1E2A, 0.94f), Hex(0x4A5268), 0.15f); }),
        UnlitFrame("EdButton", 128, 32, [](SpriteCanvas& c) { DrawFrameBox(c, kWidget, kWidgetEdge, 0.3f); }),
        UnlitFrame("EdButtonHover", 128, 32,
                   [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x3E4A66), pal::UiEdge, 0.3f); }),
        UnlitFrame("EdTextField", 128, 32, [](SpriteCanvas& c) { DrawFrameBox(c, Hex(0x0E1018), kWidgetEdge, 0.1f); }),
        UnlitFrame("EdCheckOn", 16, 16, [](SpriteCanvas& c) { DrawCheck(c, true); }),
        UnlitFrame("EdCheckOff", 16, 16, [](SpriteCanvas& c) { DrawCheck(c, false); }),
        UnlitFrame("EdArrowUp", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(kPi * 0.5f), Solid(kMark)); }),
        UnlitFrame("EdArrowDown", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(-kPi * 0.5f), Solid(kMark)); }),
        UnlitFrame("EdArrowRight", 16, 16, [](SpriteCanvas& c) { c.Fill(Arrow(0), Solid(kMark)); }),
        UnlitFrame("EdCross", 16, 16,
                   [](SpriteCanvas& c) {
                       c.Fill(Union(Capsule({-0.55f, -0.55f}, {0.55f, 0.55f}, 0.14f),
                                    Capsule({-0.55f, 0.55f}, {0.55f, -0.55f}, 0.14f)),
                              Solid(kMark));
                   }),
        UnlitFrame("EdHandle", 16, 16,
                   [](SpriteCanvas& c) {
                       c.Fill(RoundBox({0, 0}, {0.8f, 0.8f}, 0.1f), Solid(pal::Outline));
                       c.Fill(RoundBox({0, 0}, {0.55f, 0.55f}, 0.05f), Solid(pal::White));
                   }),
        UnlitFrame("EdCircleHandle", 16, 16,
                   [](SpriteCanvas& c) {
                       c.Fill(Circle({0, 0}, 0.85f), Solid(pal::Outline));
                       c.Fill(Circle({0, 0}, 0.6f), Solid(pal::White));
                   }),
        UnlitFrame("EdSelection", 64, 64, DrawSelection),
        UnlitFrame("EdScrollThumb", 16, 64, [](SpriteCanvas& c) { DrawFrameBox(c, kWidgetEdge, Hex(0x5A6480), 0.5f); }),
    };
}

}  // namespace qv::tools
