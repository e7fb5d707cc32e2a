#include "render/TextCmp.h"

#include <cassert>

#include "assets/BitmapFont.h"
#include "assets/Texture.h"
#include "render/QuadBatcher.h"

TextCmp::TextCmp() {
    RegisterProperty(&AlignmentX, "AlignmentX");
    RegisterProperty(&AlignmentY, "AlignmentY");
    RegisterProperty(&BoxSize, "BoxSize");
    RegisterProperty(&FontSize, "FontSize");
    RegisterProperty(&Font, "Font");
    RegisterProperty(&Layer, "Layer");
    RegisterProperty(&LineSpacing, "LineSpacing");
    RegisterProperty(&ParagraphSpacing, "ParagraphSpacing");
    RegisterProperty(&Text, "Text");
    RegisterProperty(&LastRect, "LastRect");
}

TextStyle TextCmp::Style() const {
    TextStyle style;
    style.FontSize = FontSize;
    style.LineSpacing = LineSpacing;
    style.ParagraphSpacing = ParagraphSpacing;
    style.BoxSize = BoxSize;
    style.AlignmentX = AlignmentX;
    style.AlignmentY = AlignmentY;
    return style;
}

const TextLayout& TextCmp::Layout() const {
    assert(Font != nullptr && "text is laid out in a font");
    const TextStyle style = Style();
    LayoutSource& source = mLayoutSource;
    const bool current = mLayout.has_value() && source.Font == Font && source.FontRevision == Font->Revision() &&
                         source.Style == style && source.Text == Text;
    if (!current) {
        mLayout.emplace(*Font, Text, style);
        source.Font = Font;
        source.FontRevision = Font->Revision();
        source.Text = Text;
        source.Style = style;
    }
    return *mLayout;
}

void TextCmp::Draw(QuadBatcher& batcher, Vector2 position, float rotation, Color color) {
    if (Font == nullptr) {
        return;
    }
    const TextLayout& layout = Layout();
    const bool flipX = batcher.FlipX();
    const bool flipY = batcher.FlipY();
    LastRect = layout.GetRect(flipX, flipY);
    const Texture* page = Font->Page.get();
    layout.ForEachGlyph(flipX, flipY, [&](const GlyphQuad& quad) {
        batcher.AddQuad(quad.Uv, page, rotation, color, quad.Size, quad.Origin, position);
    });
}
