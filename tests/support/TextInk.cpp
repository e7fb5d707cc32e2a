#include "TextInk.h"

#include <algorithm>

#include "render/Graphics.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

Rect InkOf(const TextCmp& text, Vector2 at) {
    const bool flipX = gGraphics->UiCamera.Scale.X < 0.0f;
    const bool flipY = gGraphics->UiCamera.Scale.Y < 0.0f;
    float left = 1e9f;
    float right = -1e9f;
    float top = 1e9f;
    float bottom = -1e9f;
    text.Layout().ForEachGlyph(flipX, flipY, [&](const GlyphQuad& quad) {
        const Vector2 centre = at - quad.Origin;
        left = std::min(left, centre.X - quad.Size.X / 2.0f);
        right = std::max(right, centre.X + quad.Size.X / 2.0f);
        top = std::min(top, centre.Y - quad.Size.Y / 2.0f);
        bottom = std::max(bottom, centre.Y + quad.Size.Y / 2.0f);
    });
    const Rect& block = text.LastRect;
    left = std::min(left, at.X + block.X);
    right = std::max(right, at.X + block.X + block.Width);
    top = std::min(top, at.Y + block.Y);
    bottom = std::max(bottom, at.Y + block.Y + block.Height);
    return Rect(left, top, right - left, bottom - top);
}
