#include "editor/widgets/EdLook.h"

#include <cmath>

#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace EdLook {

void SetPosition(GameObject* object, Vector2 position) {
    if (object != nullptr && object->Pos2d != nullptr) {
        object->Pos2d->Pos = position;
    }
}

void SetSpriteSize(GameObject* object, Vector2 size) {
    if (object != nullptr && object->Sprite != nullptr) {
        object->Sprite->Size = size;
    }
}

void SetSpriteMirrored(GameObject* object, bool mirrored) {
    if (object == nullptr || object->Sprite == nullptr) {
        return;
    }
    const float sign = mirrored ? -1.0f : 1.0f;
    Vector2& size = object->Sprite->Size;
    size = Vector2(sign * std::fabs(size.X), sign * std::fabs(size.Y));
}

Vector2 GetSpriteSize(const GameObject* object) {
    return object != nullptr && object->Sprite != nullptr ? object->Sprite->Size : Vector2();
}

void SetTint(GameObject* object, Color tint) {
    if (object != nullptr && object->Tint != nullptr) {
        object->Tint->Tint = tint;
    }
}

Color GetTint(const GameObject* object) {
    return object != nullptr && object->Tint != nullptr ? object->Tint->Tint : White;
}

void SetText(GameObject* object, const std::string& text) {
    if (object != nullptr && object->Text != nullptr) {
        object->Text->Text = text;
    }
}

void SetTextBox(GameObject* object, Vector2 size) {
    if (object != nullptr && object->Text != nullptr) {
        object->Text->BoxSize = size;
    }
}

void PlaceSprite(GameObject* object, float x, float y, float width, float height) {
    SetSpriteSize(object, Vector2(width, height));
    SetPosition(object, Vector2(x + width / 2.0f, y + height / 2.0f));
}

Color Modulate(Color a, Color b) {
    return TintCmp::Multiply(a, b);
}

Color Hovered(Color c) {
    constexpr Color accent{150, 185, 255, 255};
    const auto mix = [](uint8_t from, uint8_t to) { return static_cast<uint8_t>((from * 3 + to * 2) / 5); };
    return Color(mix(c.R, accent.R), mix(c.G, accent.G), mix(c.B, accent.B), c.A);
}

}  // namespace EdLook
