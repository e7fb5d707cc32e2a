#include "render/TextLayout.h"

#include <algorithm>

TextLayout::TextLayout(const BitmapFont& font, std::string_view text, const TextStyle& style)
    : mFont(font), mStyle(style) {
    // A font made in code may lack a line height; it then draws nothing rather than
    // dividing by zero.
    mScaleY = font.LineHeight > 0.0f ? style.FontSize / font.LineHeight : 0.0f;
    mScaleX = mScaleY * font.PageAspect;
    Build(text);
}

float TextLayout::Advance(unsigned char c) const {
    const BitmapFontGlyph* glyph = mFont.FindGlyph(c);
    return glyph != nullptr ? glyph->XAdvance * mScaleX : 0.0f;
}

float TextLayout::Kerning(unsigned char first, unsigned char second) const {
    return mFont.GetKerning(first, second) * mScaleX;
}

bool TextLayout::FitsLineAt(float top) const {
    return mStyle.BoxSize.Y <= 0.0f || top + mStyle.FontSize <= mStyle.BoxSize.Y;
}

void TextLayout::Build(std::string_view text) {
    const float boxWidth = mStyle.BoxSize.X;
    const float lineAdvance = mStyle.LineSpacing * mStyle.FontSize;
    const float paragraphAdvance = mStyle.ParagraphSpacing * mStyle.FontSize;

    if (!FitsLineAt(0.0f)) {
        return;  // a box shorter than one line shows nothing
    }
    mLines.emplace_back();

    // The last space of the current line: its place in the line, its place in the text
    // and the line's width before it. npos while the line has no space to break at.
    size_t spaceInLine = std::string::npos;
    size_t spaceInText = 0;
    float widthBeforeSpace = 0.0f;

    const auto startLine = [&](float top, bool paragraphGap) {
        if (paragraphGap) {
            TextLine gap;
            gap.Top = top;
            gap.IsParagraphGap = true;
            mLines.push_back(gap);
            top += paragraphAdvance;
        }
        TextLine line;
        line.Top = top;
        mLines.push_back(line);
        spaceInLine = std::string::npos;
    };

    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const float top = mLines.back().Top;
        if (c == '\n') {
            if (!FitsLineAt(top + lineAdvance + paragraphAdvance)) {
                break;
            }
            startLine(top + lineAdvance, true);
            ++i;
            continue;
        }

        TextLine& line = mLines.back();
        const auto uc = static_cast<unsigned char>(c);
        const float kerning = line.Text.empty() ? 0.0f : Kerning(static_cast<unsigned char>(line.Text.back()), uc);
        const float width = line.Width + kerning + Advance(uc);

        // An empty line takes its first character whatever its width, so every pass of
        // the loop either places a character or starts a line that will take one.
        if (boxWidth > 0.0f && width > boxWidth && !line.Text.empty()) {
            if (c == ' ') {
                // The break replaces the whole run of spaces: a space left at the start
                // of the next line would leave no place to break the next word at.
                while (i < text.size() && text[i] == ' ') {
                    ++i;
                }
            } else if (spaceInLine != std::string::npos && spaceInLine > 0) {
                // Back to the word after the space, which moves down whole.
                line.Text.resize(spaceInLine);
                line.Width = widthBeforeSpace;
                i = spaceInText + 1;
            }
            // Otherwise the word is wider than the box: it breaks before this character.
            if (!FitsLineAt(top + lineAdvance)) {
                break;
            }
            startLine(top + lineAdvance, false);
            continue;
        }

        if (c == ' ') {
            spaceInLine = line.Text.size();
            spaceInText = i;
            widthBeforeSpace = line.Width;
        }
        line.Text.push_back(c);
        line.Width = width;
        ++i;
    }

    mHeight = mLines.back().Top + mStyle.FontSize;
    for (const TextLine& line : mLines) {
        mMaxWidth = std::max(mMaxWidth, line.Width);
    }
}

float TextLayout::AlignedX(float lineWidth) const {
    switch (mStyle.AlignmentX) {
        case TextXAlignment::Center: return -lineWidth / 2.0f;
        case TextXAlignment::Right: return -lineWidth;
        case TextXAlignment::Left: break;
    }
    return 0.0f;
}

float TextLayout::AlignedY() const {
    switch (mStyle.AlignmentY) {
        case TextYAlignment::Middle: return mHeight / 2.0f;
        case TextYAlignment::Bottom: return mHeight;
        case TextYAlignment::Top: break;
    }
    return 0.0f;
}

Rect TextLayout::GetRect(bool flipX, bool flipY) const {
    // The block's minimum corner: AlignedX of the widest line and the bottom of the block
    // below the aligned top, mirrored when the camera flips an axis.
    float x = AlignedX(mMaxWidth);
    float y = AlignedY() - mHeight;
    if (flipX) {
        x = -(mMaxWidth + x);
    }
    if (flipY) {
        y = -(mHeight + y);
    }
    return Rect(x, y, mMaxWidth, mHeight);
}
