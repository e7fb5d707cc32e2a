#include "fx/DirectionalSpriteLightBhv.h"

#include "assets/Texture.h"
#include "render/SpriteCmp.h"

namespace {

// Position of value within [start, start + size) mapped to [-1, 1]; 0 for an empty span.
float SpanToDirection(float value, float start, float size) {
    return size != 0.0f ? (value - start) / size * 2.0f - 1.0f : 0.0f;
}

}  // namespace

DirectionalSpriteLightBhv::DirectionalSpriteLightBhv() {
    RegisterProxyProperty(this, &DirectionalSpriteLightBhv::GetDirection, &DirectionalSpriteLightBhv::SetDirection,
                          "Direction");
}

Rect DirectionalSpriteLightBhv::GetLightRect() const {
    if (Sprite == nullptr || Sprite->Texture == nullptr) {
        return SpriteCmp::WholeTexture;
    }
    const Texture& texture = *Sprite->Texture;
    const int frame = texture.GetFrameIndex(Sprite->GetImageName());
    if (frame < 0 || static_cast<size_t>(frame) >= texture.FrameRects.size()) {
        return SpriteCmp::WholeTexture;
    }
    return texture.FrameRects[frame];
}

Vector2 DirectionalSpriteLightBhv::GetDirection() const {
    if (Sprite == nullptr) {
        return Vector2();
    }
    const Rect r = GetLightRect();
    const Rect& uv = Sprite->UvRect;
    return Vector2(SpanToDirection(uv.X, r.X, r.Width), SpanToDirection(uv.Y, r.Y, r.Height));
}

void DirectionalSpriteLightBhv::SetDirection(Vector2 direction) {
    if (Sprite == nullptr) {
        return;
    }
    const Rect r = GetLightRect();
    Sprite->UvRect =
        Rect(r.X + r.Width * (direction.X / 2.0f + 0.5f), r.Y + r.Height * (direction.Y / 2.0f + 0.5f), 0.0f, 0.0f);
}
