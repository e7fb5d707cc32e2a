#pragma once

#include <functional>
#include <vector>

#include "object/DrawLayer.h"
#include "object/Rect.h"
#include "object/Vector2.h"

class GameObject;
class SpriteCmp;
class TextCmp;

// What the editor's picking needs from sprites, texts and cameras, which the renderer
// defines. The renderer installs these; a missing hook makes nothing pickable (and
// leaves screen points unconverted).
struct PickingHooks {
    Rect (*SpriteBounds)(const SpriteCmp* sprite) = nullptr;
    // Fractions of the bounds that the visible part of the frame covers.
    Rect (*SpriteTrim)(const SpriteCmp* sprite) = nullptr;
    DrawLayer (*SpriteLayer)(const SpriteCmp* sprite) = nullptr;
    // The text's last laid-out rectangle, relative to its object.
    Rect (*TextLastRect)(const TextCmp* text) = nullptr;
    DrawLayer (*TextLayer)(const TextCmp* text) = nullptr;
    // Screen point to the world camera's and to the interface camera's space.
    Vector2 (*WorldScreenToWorld)(Vector2 screenPoint) = nullptr;
    Vector2 (*UiScreenToWorld)(Vector2 screenPoint) = nullptr;
};

extern PickingHooks gPickingHooks;

// A screen point in the space of a draw layer: world layers through the world camera,
// interface and editor layers through the interface camera; any other value (the
// editor selection, combinations) gives the point itself.
Vector2 ScreenToLayer(DrawLayer layer, Vector2 screenPoint);

// Sets *hit to the last object, depth first, whose sprite (or text) lies under the
// screen point, so children win over parents and later siblings over earlier ones.
// Hidden subtrees are skipped; a filter that rejects an object still lets its children
// be tested. The caller clears *hit first.
void PickObjectAt(GameObject* root, GameObject** hit, Vector2 screenPoint,
                  const std::function<bool(GameObject*)>& filter);

// Appends every visible sprite with at least one corner of its bounds inside area.
void CollectSpritesInRect(GameObject* root, const Rect& area, std::vector<SpriteCmp*>& out);
