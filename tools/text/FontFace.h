#pragma once

#include "tools/draw/Grid.h"

#include <filesystem>
#include <memory>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace qv::tools {

// A rendered glyph: coverage in [0, 1] and its placement relative to the pen
// on the baseline (left bearing, rise above the baseline), all in pixels.
struct GlyphBitmap {
    Grid<float> Coverage;
    int Left = 0;
    int Top = 0;
    int Advance = 0;
};

// One FreeType face at one pixel size. Owns its library instance, so faces can
// be used on different threads at once.
class FontFace {
public:
    // Throws std::runtime_error naming the file when it cannot be opened as a font.
    FontFace(const std::filesystem::path& file, int pixelSize);
    ~FontFace();

    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int PixelSize() const { return mPixelSize; }
    int Ascender() const;
    int LineHeight() const;
    GlyphBitmap Render(char32_t character) const;
    // Pen adjustment between two characters from the face's kerning table, in whole pixels.
    int Kerning(char32_t first, char32_t second) const;

private:
    struct LibraryDone {
        void operator()(FT_LibraryRec_* library) const;
    };
    struct FaceDone {
        void operator()(FT_FaceRec_* face) const;
    };

    // The library outlives its face: members go in reverse order.
    std::unique_ptr<FT_LibraryRec_, LibraryDone> mLibrary;
    std::unique_ptr<FT_FaceRec_, FaceDone> mFace;
    int mPixelSize;
    std::filesystem::path mFile;
};

// The DejaVu Sans faces the build draws text with (Debian's fonts-dejavu-core).
std::filesystem::path DejaVuSansPath(bool bold);

}  // namespace qv::tools
