#include "render/DebugLines.h"

#include <algorithm>

#include "assets/Texture.h"
#include "assets/TextureManager.h"

int DebugLines::BuildStrip(const Vector2* points, int count, Color color, bool closed, Vector2 texel, Vertex* out) {
    if (points == nullptr || count < 2) {
        return 0;
    }
    count = std::min(count, MaxPoints);
    const uint32_t argb = ToArgb(color);
    for (int i = 0; i < count; ++i) {
        out[i] = Vertex{points[i].X, points[i].Y, 1.0f, 1.0f, argb, texel.X, texel.Y, 0.0f, 0.0f};
    }
    if (closed) {
        out[count] = out[0];
        ++count;
    }
    return count;
}

Vector2 DebugLines::FindWhiteTexel(const TextureManager* textures) {
    const Texture* texture = textures != nullptr ? textures->GetTexture(TextureName) : nullptr;
    const int frame = texture != nullptr ? texture->GetFrameIndex(WhiteFrameName) : -1;
    if (frame < 0) {
        return Vector2(0.5f, 0.5f);
    }
    const Rect& r = texture->FrameRects[frame];
    return Vector2(r.X + r.Width / 2.0f, r.Y + r.Height / 2.0f);
}
