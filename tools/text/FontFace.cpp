#include "tools/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>

namespace qv::tools {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& what, FT_Error error) {
    throw std::runtime_error(file.string() + ": " + what + " (FreeType error " + std::to_string(error) + ")");
}

int PixelsFrom26Dot6(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

}  // namespace

void FontFace::LibraryDone::operator()(FT_LibraryRec_* library) const {
    FT_Done_FreeType(library);
}

void FontFace::FaceDone::operator()(FT_FaceRec_* face) const {
    FT_Done_Face(face);
}

FontFace::FontFace(const std::filesystem::path& file, int pixelSize) : mPixelSize(pixelSize), mFile(file) {
    FT_Library library = nullptr;
    if (FT_Error error = FT_Init_FreeType(&library))
        Fail(file, "cannot start FreeType", error);
    mLibrary.reset(library);
    FT_Face face = nullptr;
    if (FT_Error error = FT_New_Face(library, file.c_str(), 0, &face)) {
        Fail(file,
             std::filesystem::exists(file) ? "not a readable font" : "font file is missing (install fonts-dejavu-core)",
             error);
    }
    mFace.reset(face);
    if (FT_Error error = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize))) {
        Fail(file, "cannot set pixel size " + std::to_string(pixelSize), error);
    }
}

FontFace::~FontFace() = default;

int FontFace::Ascender() const {
    return PixelsFrom26Dot6(mFace->size->metrics.ascender);
}

int FontFace::LineHeight() const {
    return PixelsFrom26Dot6(mFace->size->metrics.height);
}

GlyphBitmap FontFace::Render(char32_t character) const {
    const FT_UInt index = FT_Get_Char_Index(mFace.get(), character);
    if (FT_Error error = FT_Load_Glyph(mFace.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) {
        Fail(mFile, "cannot render character " + std::to_string(static_cast<unsigned>(character)), error);
    }
    const FT_GlyphSlot slot = mFace->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    GlyphBitmap glyph;
    glyph.Coverage = Grid<float>(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), 0.0f);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x) {
            glyph.Coverage.At(static_cast<int>(x), static_cast<int>(y)) = row[x] / 255.0f;
        }
    }
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Advance = PixelsFrom26Dot6(slot->advance.x);
    return glyph;
}

int FontFace::Kerning(char32_t first, char32_t second) const {
    if (!FT_HAS_KERNING(mFace.get()))
        return 0;
    FT_Vector delta{};
    FT_Face face = mFace.get();
    FT_Get_Kerning(face, FT_Get_Char_Index(face, first), FT_Get_Char_Index(face, second), FT_KERNING_DEFAULT, &delta);
    return PixelsFrom26Dot6(delta.x);
}

std::filesystem::path DejaVuSansPath(bool bold) {
    return bold ? "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

}  // namespace qv::tools
