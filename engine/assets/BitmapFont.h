#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

class Texture;

// Reads an image file into a texture; false when it cannot. The same signature as the
// texture manager's image loader, so the renderer's loader serves both.
using FontPageLoader = std::function<bool(Texture& texture, const std::filesystem::path& path)>;

// Where one character lies on the font's page and how the pen moves around it. Every
// measure is a fraction of the page: horizontal ones of its width, vertical ones of its
// height, so X, Y, Width and Height are directly texture coordinates.
struct BitmapFontGlyph {
    int Id = 0;
    float X = 0.0f;
    float Y = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
    float XOffset = 0.0f;
    float YOffset = 0.0f;
    float XAdvance = 0.0f;
};

// Extra horizontal movement between two particular characters, a fraction of the page width.
struct BitmapFontKerning {
    int First = 0;
    int Second = 0;
    float Amount = 0.0f;
};

// A bitmap font read from a ".fnt" XML description and its one page image.
class BitmapFont {
public:
    BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;
    // Releases the page texture.
    ~BitmapFont();

    // Fills the font from one ".fnt" file; Name stays "" (the registry names fonts). The
    // page image, named relative to the file's folder, is read through loadPage when one
    // is given; one that cannot be read leaves the page without a device texture, so the
    // text draws nothing visible. A missing or malformed file, a missing element, or a
    // missing or unusable attribute of "font.common" or the page raises ContentError
    // naming the file. A "char" or "kerning" element that lacks an attribute, has one
    // that is no number, or a glyph with a negative size or reaching outside the page, is
    // left out, and the file's left-out elements are told through WarnContent.
    void Load(const std::filesystem::path& path, const FontPageLoader& loadPage);

    // Differs between any two fonts and changes with every Load, so that layouts made with
    // the font can tell when they are out of date.
    uint64_t Revision() const { return mRevision; }

    // The amount of the first kerning entry for the pair, 0 when the font has none.
    float GetKerning(int first, int second) const;
    // The glyph of a character, or null when the font lacks it.
    const BitmapFontGlyph* FindGlyph(int id) const;

    std::string Name;
    // A texture of no bank: no name and no frames, only its file.
    std::unique_ptr<Texture> Page;
    float LineHeight = 1.0f;  // fraction of the page height
    float LineHeightPixels = 0.0f;
    // Page width over page height: turns horizontal page fractions into the units of
    // vertical ones, so glyphs keep their shape on pages that are not square.
    float PageAspect = 1.0f;
    std::map<int, BitmapFontGlyph> Glyphs;
    // Keyed by the first character; the entries of one key keep file order.
    std::multimap<int, BitmapFontKerning> Kernings;

private:
    uint64_t mRevision;
};
