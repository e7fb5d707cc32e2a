#include "tools/text/TextStamp.h"

namespace qv::tools {

void StampText(SpriteCanvas& canvas, const FontFace& face, std::string_view text, Vec2 centre, Rgba colour) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += face.Render(static_cast<unsigned char>(text[i])).Advance;
        if (i + 1 < text.size())
            width += face.Kerning(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
    }
    // Centre the line on its cap height, which reads as centred for labels.
    const int capHeight = face.Render('H').Top;
    int penX = static_cast<int>(canvas.Width() * 0.5f + centre.X * canvas.PixelsPerUnit() - width * 0.5f + 0.5f);
    const int baseline =
        static_cast<int>(canvas.Height() * 0.5f - centre.Y * canvas.PixelsPerUnit() + capHeight * 0.5f + 0.5f);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphBitmap glyph = face.Render(static_cast<unsigned char>(text[i]));
        for (int y = 0; y < glyph.Coverage.Height(); ++y) {
            for (int x = 0; x < glyph.Coverage.Width(); ++x) {
                canvas.BlendPixel(penX + glyph.Left + x, baseline - glyph.Top + y, colour, glyph.Coverage.At(x, y));
            }
        }
        penX += glyph.Advance;
        if (i + 1 < text.size())
            penX += face.Kerning(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
    }
}

}  // namespace qv::tools
