#pragma once

#include <string>

#include "object/Color.h"
#include "object/Vector2.h"

class GameObject;

// Writes the look of a widget's named child objects. Every call does nothing for a
// null object or one that lacks the component: the prefab is the widget's contract.
namespace EdLook {

constexpr Color White{255, 255, 255, 255};
constexpr Color Black{0, 0, 0, 255};
constexpr Color GrayedText{89, 89, 89, 255};

void SetPosition(GameObject* object, Vector2 position);
// Keeps the signs the size had: a mirrored sprite stays mirrored.
void SetSpriteSize(GameObject* object, Vector2 size);
// Mirrored on both axes when mirrored, else upright; magnitudes from size.
void SetSpriteMirrored(GameObject* object, bool mirrored);
Vector2 GetSpriteSize(const GameObject* object);
void SetTint(GameObject* object, Color tint);
// White when the object has no tint.
Color GetTint(const GameObject* object);
void SetText(GameObject* object, const std::string& text);
void SetTextBox(GameObject* object, Vector2 size);
// A filled row: the sprite spans the rectangle, positioned at its centre.
void PlaceSprite(GameObject* object, float x, float y, float width, float height);

// Channel by channel a * b / 255, truncated.
Color Modulate(Color a, Color b);
// The colour drawn a good way towards a light blue: the hover look of buttons,
// visible on light and dark widgets alike.
Color Hovered(Color c);

}  // namespace EdLook
