#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "app/Application.h"
#include "app/RuntimeTypes.h"
#include "assets/BitmapFont.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "platform/gfx/GfxTexture.h"
#include "render/Graphics.h"
#include "render/QuadBatcher.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace {

// A font on a 100 x 100 pixel page with 10-pixel lines, so that at FontSize 1 one pixel
// is 0.1 layer units: every listed character is 8 x 10 pixels, advances 10 pixels and sits
// 1 pixel right of and 2 pixels below the pen.
class SmallFont : public BitmapFont {
public:
    explicit SmallFont(float scaleW = 100.0f, float scaleH = 100.0f) {
        Page = std::make_unique<Texture>();
        LineHeightPixels = 10.0f;
        LineHeight = 10.0f / scaleH;
        PageAspect = scaleW / scaleH;
        float x = 0.0f;
        for (const char c : std::string("abcdefghAB ")) {
            BitmapFontGlyph glyph;
            glyph.Id = static_cast<unsigned char>(c);
            glyph.X = x / scaleW;
            glyph.Width = 8.0f / scaleW;
            glyph.Height = 10.0f / scaleH;
            glyph.XOffset = 1.0f / scaleW;
            glyph.YOffset = 2.0f / scaleH;
            glyph.XAdvance = 10.0f / scaleW;
            Glyphs[glyph.Id] = glyph;
            x += 8.0f;
        }
    }
};

TextStyle Style(Vector2 box = Vector2(), TextXAlignment x = TextXAlignment::Left,
                TextYAlignment y = TextYAlignment::Top) {
    TextStyle style;
    style.BoxSize = box;
    style.AlignmentX = x;
    style.AlignmentY = y;
    return style;
}

std::vector<std::string> LineTexts(const TextLayout& layout) {
    std::vector<std::string> texts;
    for (const TextLine& line : layout.Lines()) {
        texts.push_back(line.Text);
    }
    return texts;
}

// Quad centres in layer space (position at the origin, no rotation): AddQuad puts a
// quad's centre at position - origin.
std::vector<Vector2> Centres(const TextLayout& layout, bool flipX = false, bool flipY = false) {
    std::vector<Vector2> centres;
    layout.ForEachGlyph(flipX, flipY, [&](const GlyphQuad& quad) { centres.push_back(-quad.Origin); });
    return centres;
}

TEST(TextLayoutTest, ANewlineMakesABlankLineThatAdvancesByTheParagraphSpacing) {
    const SmallFont font;
    TextStyle style = Style();
    style.LineSpacing = 1.5f;
    style.ParagraphSpacing = 0.75f;
    const TextLayout layout(font, "A\nB", style);

    ASSERT_EQ(LineTexts(layout), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_FALSE(layout.Lines()[0].IsParagraphGap);
    EXPECT_TRUE(layout.Lines()[1].IsParagraphGap);
    EXPECT_FLOAT_EQ(layout.Lines()[2].Top, 1.5f + 0.75f);
    EXPECT_FLOAT_EQ(layout.Height(), 1.5f + 0.75f + 1.0f);

    // The drawing follows the same tops: B's glyph lies (1.5 + 0.75) lower than A's.
    const std::vector<Vector2> centres = Centres(layout);
    ASSERT_EQ(centres.size(), 2u);
    EXPECT_FLOAT_EQ(centres[0].Y - centres[1].Y, 1.5f + 0.75f);
    // And the block's height reaches the bottom of B's line (its glyph sits 0.2 lower).
    EXPECT_FLOAT_EQ(centres[1].Y - 0.5f + 0.2f, -layout.Height());
}

TEST(TextLayoutTest, TwoWordsWrapAtTheSpaceWhenTheSecondPassesTheBox) {
    const SmallFont font;
    const TextLayout fits(font, "ab cd", Style(Vector2(5.0f, 0.0f)));
    EXPECT_EQ(LineTexts(fits), (std::vector<std::string>{"ab cd"}));

    const TextLayout wrapped(font, "ab cd", Style(Vector2(3.5f, 0.0f)));
    ASSERT_EQ(LineTexts(wrapped), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_FLOAT_EQ(wrapped.Lines()[0].Width, 2.0f);
    EXPECT_FLOAT_EQ(wrapped.Lines()[1].Width, 2.0f);
    EXPECT_FLOAT_EQ(wrapped.Lines()[1].Top, 1.0f);
    EXPECT_FLOAT_EQ(wrapped.Height(), 2.0f);
    EXPECT_FLOAT_EQ(wrapped.MaxWidth(), 2.0f);

    // A space that itself passes the box is where the line breaks.
    const TextLayout atSpace(font, "abc de", Style(Vector2(3.0f, 0.0f)));
    EXPECT_EQ(LineTexts(atSpace), (std::vector<std::string>{"abc", "de"}));
}

TEST(TextLayoutTest, WrappingNeverDropsACharacter) {
    const SmallFont font;
    // A word wider than the box breaks inside the word.
    EXPECT_EQ(LineTexts(TextLayout(font, "abcdefg", Style(Vector2(3.0f, 0.0f)))),
              (std::vector<std::string>{"abc", "def", "g"}));
    // Also after a wrap at a space, with the space on an earlier line.
    EXPECT_EQ(LineTexts(TextLayout(font, "a bcdefgh", Style(Vector2(3.0f, 0.0f)))),
              (std::vector<std::string>{"a", "bcd", "efg", "h"}));
    // A box narrower than one glyph still shows every character, one a line.
    EXPECT_EQ(LineTexts(TextLayout(font, "ab", Style(Vector2(0.5f, 0.0f)))), (std::vector<std::string>{"a", "b"}));
    // A line that starts with a space has nothing before it to keep: the word breaks.
    EXPECT_EQ(LineTexts(TextLayout(font, "a\n abcd", Style(Vector2(3.0f, 0.0f)))),
              (std::vector<std::string>{"a", "", " ab", "cd"}));
}

TEST(TextLayoutTest, AWrapAtARunOfSpacesNeverSplitsTheNextWord) {
    const SmallFont font;
    EXPECT_EQ(LineTexts(TextLayout(font, "ab  cd", Style(Vector2(2.0f, 0.0f)))),
              (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(LineTexts(TextLayout(font, "ab   cd ef", Style(Vector2(3.0f, 0.0f)))),
              (std::vector<std::string>{"ab ", "cd", "ef"}));
    // Only a word wider than the box is split.
    EXPECT_EQ(LineTexts(TextLayout(font, "ab  cdefg", Style(Vector2(2.0f, 0.0f)))),
              (std::vector<std::string>{"ab", "cd", "ef", "g"}));
}

TEST(TextLayoutTest, TheBoxHeightCutsWholeLinesAndABoxShorterThanALineShowsNothing) {
    const SmallFont font;
    const TextLayout cut(font, "ab cd ef", Style(Vector2(3.0f, 1.5f)));
    EXPECT_EQ(LineTexts(cut), (std::vector<std::string>{"ab"}));
    EXPECT_FLOAT_EQ(cut.Height(), 1.0f);

    const TextLayout paragraphs(font, "a\nb", Style(Vector2(0.0f, 2.0f)));
    EXPECT_EQ(LineTexts(paragraphs), (std::vector<std::string>{"a"}));

    const TextLayout none(font, "ab", Style(Vector2(0.0f, 0.5f)));
    EXPECT_TRUE(none.Lines().empty());
    EXPECT_EQ(none.Height(), 0.0f);
    EXPECT_EQ(none.MaxWidth(), 0.0f);
    EXPECT_TRUE(Centres(none).empty());
    EXPECT_EQ(none.GetRect(false, false), Rect(0.0f, 0.0f, 0.0f, 0.0f));
}

TEST(TextLayoutTest, CentreAndMiddleAlignmentCentreTheRectangleOnThePosition) {
    const SmallFont font;
    const TextLayout layout(font, "ab\nabcd", Style(Vector2(), TextXAlignment::Center, TextYAlignment::Middle));
    const float height = 2.0f + 0.75f;
    EXPECT_EQ(layout.GetRect(false, false), Rect(-2.0f, -height / 2.0f, 4.0f, height));
    EXPECT_EQ(layout.GetRect(true, true), Rect(-2.0f, -height / 2.0f, 4.0f, height));

    // Each line is centred on its own width.
    const std::vector<Vector2> centres = Centres(layout);
    ASSERT_EQ(centres.size(), 6u);
    EXPECT_FLOAT_EQ(centres[0].X, -1.0f + 0.1f + 0.4f);
    EXPECT_FLOAT_EQ(centres[2].X, -2.0f + 0.1f + 0.4f);
    // The block's middle is at the position: the first line's top lies height / 2 above.
    EXPECT_FLOAT_EQ(centres[0].Y, height / 2.0f - 0.2f - 0.5f);
}

TEST(TextLayoutTest, TheRectangleFollowsTheAlignmentAndTheCameraFlips) {
    const SmallFont font;
    const auto rect = [&](TextXAlignment x, TextYAlignment y, bool flipX, bool flipY) {
        return TextLayout(font, "abc", Style(Vector2(), x, y)).GetRect(flipX, flipY);
    };
    EXPECT_EQ(rect(TextXAlignment::Left, TextYAlignment::Top, false, false), Rect(0.0f, -1.0f, 3.0f, 1.0f));
    EXPECT_EQ(rect(TextXAlignment::Right, TextYAlignment::Bottom, false, false), Rect(-3.0f, 0.0f, 3.0f, 1.0f));
    // Under a flipped axis the block lies on the other side of the position.
    EXPECT_EQ(rect(TextXAlignment::Left, TextYAlignment::Top, true, true), Rect(-3.0f, 0.0f, 3.0f, 1.0f));
    EXPECT_EQ(rect(TextXAlignment::Right, TextYAlignment::Bottom, true, true), Rect(0.0f, -1.0f, 3.0f, 1.0f));

    // Right alignment: every line ends at the position.
    const TextLayout right(font, "a\nabc", Style(Vector2(), TextXAlignment::Right));
    const std::vector<Vector2> centres = Centres(right);
    ASSERT_EQ(centres.size(), 4u);
    EXPECT_FLOAT_EQ(centres[0].X, -1.0f + 0.5f);
    EXPECT_FLOAT_EQ(centres[3].X, -1.0f + 0.5f);
}

TEST(TextLayoutTest, KerningActsBetweenNeighboursOfALineInMeasureAndDrawingAlike) {
    SmallFont font;
    font.Kernings.emplace('a', BitmapFontKerning{'a', 'b', -0.02f});
    font.Kernings.emplace(' ', BitmapFontKerning{' ', 'b', 0.5f});
    const TextLayout layout(font, "ab\nb", Style());
    EXPECT_FLOAT_EQ(layout.Lines()[0].Width, 1.8f);
    // The newline is no neighbour: the "b" of the next line is not kerned.
    EXPECT_FLOAT_EQ(layout.Lines()[2].Width, 1.0f);
    const std::vector<Vector2> centres = Centres(layout);
    EXPECT_FLOAT_EQ(centres[1].X - centres[0].X, 0.8f);

    // After a wrap the space is gone, and so is its kerning with the next word.
    const TextLayout wrapped(font, "a b", Style(Vector2(1.5f, 0.0f)));
    ASSERT_EQ(LineTexts(wrapped), (std::vector<std::string>{"a", "b"}));
    EXPECT_FLOAT_EQ(wrapped.Lines()[1].Width, 1.0f);
}

TEST(TextLayoutTest, AMissingCharacterTakesNoSpaceAndGivesAnEmptyQuad) {
    const SmallFont font;
    const TextLayout layout(font, "aZb", Style());
    EXPECT_FLOAT_EQ(layout.Lines()[0].Width, 2.0f);
    std::vector<GlyphQuad> quads;
    layout.ForEachGlyph(false, false, [&](const GlyphQuad& quad) { quads.push_back(quad); });
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(quads[1].Size, Vector2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(-quads[2].Origin.X, 1.0f + 0.1f + 0.4f);
}

TEST(TextLayoutTest, GlyphsKeepTheirShapeOnAPageThatIsNotSquare) {
    const SmallFont square;
    const SmallFont wide(200.0f, 100.0f);
    const TextLayout a(square, "ab", Style());
    const TextLayout b(wide, "ab", Style());
    EXPECT_FLOAT_EQ(b.MaxWidth(), a.MaxWidth());
    std::vector<Vector2> sizes;
    b.ForEachGlyph(false, false, [&](const GlyphQuad& quad) { sizes.push_back(quad.Size); });
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_FLOAT_EQ(sizes[0].X, 0.8f);
    EXPECT_FLOAT_EQ(sizes[0].Y, 1.0f);
}

// The extent of the vertices of one batch.
Rect VertexBounds(const std::vector<Vertex>& vertices, size_t first, size_t count) {
    float minX = vertices[first].X, maxX = minX, minY = vertices[first].Y, maxY = minY;
    for (size_t i = first; i < first + count; ++i) {
        minX = std::min(minX, vertices[i].X);
        maxX = std::max(maxX, vertices[i].X);
        minY = std::min(minY, vertices[i].Y);
        maxY = std::max(maxY, vertices[i].Y);
    }
    return Rect(minX, minY, maxX - minX, maxY - minY);
}

void ExpectRectNear(const Rect& actual, const Rect& expected) {
    EXPECT_NEAR(actual.X, expected.X, 1e-4f);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-4f);
    EXPECT_NEAR(actual.Width, expected.Width, 1e-4f);
    EXPECT_NEAR(actual.Height, expected.Height, 1e-4f);
}

TEST(TextCmpTest, WithoutAFontNothingIsDrawnAndLastRectIsKept) {
    TextCmp text;
    text.LastRect = Rect(1.0f, 2.0f, 3.0f, 4.0f);
    QuadBatcher batcher;
    text.Draw(batcher, Vector2(5.0f, 5.0f), 0.0f, Color(255, 255, 255, 255));
    EXPECT_EQ(batcher.BatchCount(), 0);
    EXPECT_EQ(text.LastRect, Rect(1.0f, 2.0f, 3.0f, 4.0f));
}

TEST(TextCmpTest, DrawsOneQuadPerCharacterFromThePageUpright) {
    const SmallFont font;
    TextCmp text;
    text.Font = const_cast<SmallFont*>(&font);
    text.Text = "ab";
    text.AlignmentY = TextYAlignment::Top;
    const Color colour(10, 20, 30, 255);
    QuadBatcher batcher;

    // World camera, y up: the line hangs below the position.
    text.Draw(batcher, Vector2(10.0f, 20.0f), 0.0f, colour);
    ASSERT_EQ(batcher.BatchCount(), 1);
    EXPECT_EQ(batcher.BatchTexture(0), font.Page.get());
    const std::vector<Vertex>& world = batcher.BatchVertices(0);
    ASSERT_EQ(world.size(), 8u);
    ExpectRectNear(VertexBounds(world, 0, 4), Rect(10.1f, 20.0f - 0.2f - 1.0f, 0.8f, 1.0f));
    ExpectRectNear(VertexBounds(world, 4, 4), Rect(11.1f, 20.0f - 0.2f - 1.0f, 0.8f, 1.0f));
    EXPECT_EQ(world[0].Argb, ToArgb(colour));
    // The glyph's top row is at the top of the quad.
    EXPECT_FLOAT_EQ(world[0].V0, 0.0f);
    EXPECT_GT(world[0].Y, world[2].Y);
    EXPECT_EQ(text.LastRect, Rect(0.0f, -1.0f, 2.0f, 1.0f));

    // Interface camera, y down: the line hangs below the position on screen too.
    batcher.Reset();
    batcher.SetFlip(false, true);
    text.Draw(batcher, Vector2(10.0f, 20.0f), 0.0f, colour);
    const std::vector<Vertex>& ui = batcher.BatchVertices(0);
    ASSERT_EQ(ui.size(), 8u);
    ExpectRectNear(VertexBounds(ui, 0, 4), Rect(10.1f, 20.2f, 0.8f, 1.0f));
    EXPECT_FLOAT_EQ(ui[0].V0, 0.0f);
    EXPECT_LT(ui[0].Y, ui[2].Y);
    EXPECT_EQ(text.LastRect, Rect(0.0f, 0.0f, 2.0f, 1.0f));
}

// The whole path under a real renderer: a font folder read through the renderer's
// image loader, and a frame that draws its text where LastRect says it is.
TEST(TextFrameTest, AFontLoadedThroughTheRendererDrawsItsGlyphsInsideLastRect) {
    QV_REQUIRE_DISPLAY();
    ScopedDataHome dataHome;
    ScopedTempFolder content;
    // A 16 x 16 white page; the glyph A is its left half, one line high.
    WritePng(content.Path() / "Main" / "Block_0.png", 16, 16, [](int, int) { return 0xFFFFFFFFu; });
    WriteTextFile(content.Path() / "Main" / "Block.fnt",
                  R"(<font><common lineHeight="16" scaleW="16" scaleH="16"/>)"
                  R"(<pages><page id="0" file="Block_0.png"/></pages><chars>)"
                  R"(<char id="65" x="0" y="0" width="8" height="16" xoffset="0" yoffset="0" xadvance="8"/>)"
                  R"(</chars></font>)");

    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    // Put back however the test ends, after the renderer is gone.
    struct RestoreGlobals {
        GameObject* Root = gRootObject;
        ~RestoreGlobals() {
            gGraphics = nullptr;
            gRootObject = Root;
        }
    } restore;
    Graphics graphics;
    graphics.Width = 320;
    graphics.Height = 200;
    gGraphics = &graphics;
    graphics.Init();
    // Interface units are window pixels here.
    graphics.UiCamera.Position = Vector2(160.0f, 100.0f);
    graphics.UiCamera.Scale = Vector2(320.0f, -200.0f);
    {
        FontRegistry fonts(&graphics);
        fonts.ContentFolder = content.Path();
        fonts.LoadGroup("Main");
        BitmapFont* font = fonts.Find("Block");
        ASSERT_NE(font, nullptr);
        ASSERT_NE(font->Page->DeviceTexture, nullptr);
        EXPECT_EQ(font->Page->Width, 16.0f);

        auto root = std::make_unique<GameObject>();
        gRootObject = root.get();
        auto* label = new GameObject();
        auto* position = new Pos2dCmp();
        position->Pos = Vector2(100.0f, 50.0f);
        label->AddComponent(position);
        auto* text = new TextCmp();
        text->Font = font;
        text->Text = "AA";
        text->FontSize = 40.0f;
        text->AlignmentY = TextYAlignment::Top;
        text->Layer = DrawLayer::UiText;
        label->AddComponent(text);
        root->AddChild(label);

        graphics.DrawFrame();
        gRootObject = restore.Root;

        EXPECT_EQ(text->LastRect, Rect(0.0f, 0.0f, 40.0f, 40.0f));
        const std::vector<uint8_t> pixels = ImplOf(graphics).Device->BackBuffer()->ReadPixels();
        const auto red = [&](int x, int y) { return pixels[(static_cast<size_t>(y) * 320 + x) * 4]; };
        for (const auto& [x, y] : {std::pair{102, 52}, {137, 52}, {102, 87}, {137, 87}, {120, 70}}) {
            EXPECT_GT(red(x, y), 200) << "inside at " << x << ", " << y;
        }
        for (const auto& [x, y] : {std::pair{97, 70}, {143, 70}, {120, 47}, {120, 93}}) {
            EXPECT_LT(red(x, y), 50) << "outside at " << x << ", " << y;
        }
    }
}

}  // namespace
