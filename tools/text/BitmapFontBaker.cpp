#include "tools/text/BitmapFontBaker.h"

#include "tools/atlas/AtlasPacker.h"
#include "tools/draw/Rgba.h"
#include "tools/io/Image8.h"
#include "tools/io/PngEncoder.h"
#include "tools/text/FontFace.h"

#include <sstream>

namespace qv::tools {

namespace {

constexpr char32_t kFirstCharacter = 32;
constexpr char32_t kLastCharacter = 126;
constexpr int kGlyphPadding = 2;

struct PlacedGlyph {
    char32_t Character = 0;
    GlyphBitmap Bitmap;
    PixelRect Where;
};

Image8 PaintPage(const std::vector<PlacedGlyph>& glyphs, int width, int height) {
    Image8 page(width, height);
    for (std::size_t i = 0; i < page.Pixels.size(); i += 4) {
        page.Pixels[i] = page.Pixels[i + 1] = page.Pixels[i + 2] = 255;  // white, so tints colour the text
    }
    for (const PlacedGlyph& g : glyphs) {
        for (int y = 0; y < g.Where.Height; ++y) {
            for (int x = 0; x < g.Where.Width; ++x) {
                page.At(g.Where.X + x, g.Where.Y + y)[3] = ToByte(g.Bitmap.Coverage.At(x, y));
            }
        }
    }
    return page;
}

}  // namespace

std::vector<BitmapFontRecipe> MainFontRecipes() {
    return {
        {"Editor", 14, false}, {"Small", 18, false}, {"Medium", 28, false}, {"Large", 48, true}, {"Title", 72, true},
    };
}

std::vector<OutputFile> BakeBitmapFont(const BitmapFontRecipe& recipe, const std::filesystem::path& groupFolder) {
    const FontFace face(DejaVuSansPath(recipe.Bold), recipe.PixelSize);

    std::vector<PlacedGlyph> glyphs;
    std::vector<PixelRect> sizes;
    std::vector<std::size_t> packedIndex;
    for (char32_t c = kFirstCharacter; c <= kLastCharacter; ++c) {
        PlacedGlyph glyph{c, face.Render(c), {}};
        glyph.Where = {0, 0, glyph.Bitmap.Coverage.Width(), glyph.Bitmap.Coverage.Height()};
        if (glyph.Where.Width > 0 && glyph.Where.Height > 0) {
            packedIndex.push_back(glyphs.size());
            sizes.push_back(glyph.Where);
        }
        glyphs.push_back(std::move(glyph));
    }
    const AtlasPacker::Result layout = AtlasPacker(kGlyphPadding, 4096).Pack(sizes);
    for (std::size_t i = 0; i < packedIndex.size(); ++i)
        glyphs[packedIndex[i]].Where = layout.Placements[i];

    const std::string pageFile = recipe.Name + "_0.png";
    std::ostringstream fnt;
    fnt << "<?xml version=\"1.0\"?>\n<font>\n";
    fnt << "  <info face=\"DejaVu Sans" << (recipe.Bold ? " Bold" : "") << "\" size=\"" << recipe.PixelSize
        << "\" bold=\"" << (recipe.Bold ? 1 : 0) << "\" italic=\"0\" unicode=\"0\" padding=\"0,0,0,0\" spacing=\""
        << kGlyphPadding << "," << kGlyphPadding << "\"/>\n";
    fnt << "  <common lineHeight=\"" << face.LineHeight() << "\" base=\"" << face.Ascender() << "\" scaleW=\""
        << layout.PageWidth << "\" scaleH=\"" << layout.PageHeight << "\" pages=\"1\" packed=\"0\"/>\n";
    fnt << "  <pages>\n    <page id=\"0\" file=\"" << pageFile << "\"/>\n  </pages>\n";
    fnt << "  <chars count=\"" << glyphs.size() << "\">\n";
    for (const PlacedGlyph& g : glyphs) {
        fnt << "    <char id=\"" << static_cast<unsigned>(g.Character) << "\" x=\"" << g.Where.X << "\" y=\""
            << g.Where.Y << "\" width=\"" << g.Where.Width << "\" height=\"" << g.Where.Height << "\" xoffset=\""
            << g.Bitmap.Left << "\" yoffset=\"" << face.Ascender() - g.Bitmap.Top << "\" xadvance=\""
            << g.Bitmap.Advance << "\" page=\"0\" chnl=\"15\"/>\n";
    }
    fnt << "  </chars>\n";

    std::ostringstream pairs;
    int pairCount = 0;
    for (char32_t first = kFirstCharacter; first <= kLastCharacter; ++first) {
        for (char32_t second = kFirstCharacter; second <= kLastCharacter; ++second) {
            const int amount = face.Kerning(first, second);
            if (amount == 0)
                continue;
            pairs << "    <kerning first=\"" << static_cast<unsigned>(first) << "\" second=\""
                  << static_cast<unsigned>(second) << "\" amount=\"" << amount << "\"/>\n";
            ++pairCount;
        }
    }
    fnt << "  <kernings count=\"" << pairCount << "\">\n" << pairs.str() << "  </kernings>\n</font>\n";

    return {
        {groupFolder / (recipe.Name + ".fnt"), BytesFromText(fnt.str())},
        {groupFolder / pageFile, EncodePng(PaintPage(glyphs, layout.PageWidth, layout.PageHeight))},
    };
}

}  // namespace qv::tools
