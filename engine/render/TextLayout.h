#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assets/BitmapFont.h"
#include "object/Rect.h"
#include "object/TextAlignment.h"
#include "object/Vector2.h"

// How a text is set: sizes in layer units, spacings in multiples of FontSize.
struct TextStyle {
    float FontSize = 1.0f;           // height of one line
    float LineSpacing = 1.0f;        // advance after a line of text
    float ParagraphSpacing = 0.75f;  // advance after the blank line a newline makes
    Vector2 BoxSize;                 // wrap width and cut height; 0 means no limit
    TextXAlignment AlignmentX = TextXAlignment::Left;
    TextYAlignment AlignmentY = TextYAlignment::Middle;

    bool operator==(const TextStyle&) const = default;
};

struct TextLine {
    std::string Text;
    float Width = 0.0f;
    float Top = 0.0f;  // distance of the line's top below the block's top
    // The blank line between two paragraphs; it advances by ParagraphSpacing.
    bool IsParagraphGap = false;
};

// One character's quad in the terms of Graphics::AddQuad: the quad's centre lies at the
// object's position minus Origin (before the object's rotation).
struct GlyphQuad {
    Rect Uv;
    Vector2 Size;
    Vector2 Origin;
};

// A text split at newlines, wrapped to the box width and cut at the box height, and the
// placement of its glyphs. The line measures and the glyph positions come from one rule
// for advances, so what is measured is what is drawn:
// - a line's width is the sum of its characters' advances plus the kerning between
//   neighbours on that line;
// - a line's top is the previous line's top plus LineSpacing x FontSize, or
//   ParagraphSpacing x FontSize after a paragraph gap; the block's height is the last
//   line's top plus FontSize.
// Wrapping never loses a character but spaces: a line breaks at its last space (a run of
// spaces that passes the box is replaced by the break) or, when it has none, inside the
// word; a single glyph wider than the box keeps a line of its own. A word that fits the
// box is never split. A line that would reach below the box height is not laid out, nor
// is anything after it.
class TextLayout {
public:
    TextLayout(const BitmapFont& font, std::string_view text, const TextStyle& style);

    const std::vector<TextLine>& Lines() const { return mLines; }
    float Height() const { return mHeight; }
    float MaxWidth() const { return mMaxWidth; }

    // The block relative to the object's position, where the glyphs land under a camera
    // whose axes are flipped as given.
    Rect GetRect(bool flipX, bool flipY) const;

    // Calls emit(const GlyphQuad&) once per character, line by line. A character without
    // a glyph takes no space and gives an empty quad.
    template <class Emit>
    void ForEachGlyph(bool flipX, bool flipY, Emit&& emit) const;

private:
    void Build(std::string_view text);
    bool FitsLineAt(float top) const;
    float Advance(unsigned char c) const;
    float Kerning(unsigned char first, unsigned char second) const;
    float AlignedX(float lineWidth) const;
    float AlignedY() const;

    const BitmapFont& mFont;
    TextStyle mStyle;
    float mScaleX;  // page fractions to layer units, across
    float mScaleY;  // and down
    std::vector<TextLine> mLines;
    float mHeight = 0.0f;
    float mMaxWidth = 0.0f;
};

template <class Emit>
void TextLayout::ForEachGlyph(bool flipX, bool flipY, Emit&& emit) const {
    const float fx = flipX ? -1.0f : 1.0f;
    const float fy = flipY ? -1.0f : 1.0f;
    const float blockY = AlignedY();
    for (const TextLine& line : mLines) {
        const float y = (blockY - line.Top) * fy;
        float x = AlignedX(line.Width) * fx;
        unsigned char previous = 0;
        for (size_t k = 0; k < line.Text.size(); ++k) {
            const auto c = static_cast<unsigned char>(line.Text[k]);
            const BitmapFontGlyph* found = mFont.FindGlyph(c);
            const BitmapFontGlyph glyph = found != nullptr ? *found : BitmapFontGlyph{};
            if (k > 0) {
                x += Kerning(previous, c) * fx;
            }
            GlyphQuad quad;
            quad.Uv = Rect(glyph.X, glyph.Y, glyph.Width, glyph.Height);
            quad.Size = Vector2(glyph.Width * mScaleX, glyph.Height * mScaleY);
            quad.Origin = Vector2(-(quad.Size.X / 2.0f) * fx - x - glyph.XOffset * mScaleX * fx,
                                  (quad.Size.Y / 2.0f) * fy - y + glyph.YOffset * mScaleY * fy);
            emit(static_cast<const GlyphQuad&>(quad));
            x += glyph.XAdvance * mScaleX * fx;
            previous = c;
        }
    }
}
