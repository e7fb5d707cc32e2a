#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "object/Color.h"
#include "object/Component.h"
#include "object/DrawLayer.h"
#include "object/IEditable.h"
#include "object/Rect.h"
#include "object/TextAlignment.h"
#include "object/Vector2.h"
#include "render/TextLayout.h"

class BitmapFont;
class QuadBatcher;

// Shows a string in a bitmap font: split at newlines, wrapped to the box width, cut at
// the box height and aligned on both axes around the object's position.
class TextCmp : public Component, public IEditable {
public:
    TextCmp();

    // The text as this component sets it. Requires a font. The layout is kept from call
    // to call and made again only when the text, the font (or its Load) or the style has
    // changed, so a steady text costs no allocation per frame.
    const TextLayout& Layout() const;
    TextStyle Style() const;

    // The glyph quads of the text into the batcher, at the object's position and
    // rotation and in its tinted colour, mirrored as the batcher's camera flips are; the
    // laid-out block goes to LastRect. Without a font nothing is drawn and LastRect is
    // left as it was.
    void Draw(QuadBatcher& batcher, Vector2 position, float rotation, Color color);

    std::string Text = "WriteMe";
    BitmapFont* Font = nullptr;
    float FontSize = 1.0f;           // height of one line in layer units
    float LineSpacing = 1.0f;        // in multiples of FontSize
    float ParagraphSpacing = 0.75f;  // in multiples of FontSize
    Vector2 BoxSize;                 // 0 on an axis: no limit
    TextXAlignment AlignmentX = TextXAlignment::Left;
    TextYAlignment AlignmentY = TextYAlignment::Middle;
    DrawLayer Layer = DrawLayer::Background;
    // Written by every draw, relative to the object's position.
    Rect LastRect;

private:
    // What the kept layout was made from.
    struct LayoutSource {
        const BitmapFont* Font = nullptr;
        uint64_t FontRevision = 0;
        std::string Text;
        TextStyle Style;
    };

    mutable std::optional<TextLayout> mLayout;
    mutable LayoutSource mLayoutSource;
};
