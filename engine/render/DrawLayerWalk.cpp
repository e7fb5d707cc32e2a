#include "render/DrawLayerWalk.h"

#include "object/BodyTransform.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "render/QuadBatcher.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

DrawLayerWalk::DrawLayerWalk(QuadBatcher& quads, DrawLayer mask, const Texture* override)
    : mQuads(quads), mMask(mask), mOverride(override) {}

void DrawLayerWalk::Walk(GameObject* object, Color color, Vector2 parent) {
    if (!object->DrawEnabled) {
        return;
    }
    // Relative positions add to the parent's drawn position: an object without a
    // position of its own counts as the origin for its children.
    Vector2 position;
    float rotation = 0.0f;
    if (const Pos2dCmp* pos = object->Pos2d) {
        position = pos->IsRelative ? pos->Pos + parent : pos->Pos;
        rotation = pos->Rotation;
    } else if (object->B2Body != nullptr && gBodyTransformHooks.GetPos != nullptr &&
               gBodyTransformHooks.GetAngle != nullptr) {
        position = gBodyTransformHooks.GetPos(object->B2Body);
        rotation = gBodyTransformHooks.GetAngle(object->B2Body);
    }
    if (const TintCmp* tint = object->Tint) {
        color = TintCmp::Multiply(color, tint->Tint);
    }
    const SpriteCmp* sprite = object->Sprite;
    if (sprite != nullptr && sprite->Texture != nullptr && LayersOverlap(sprite->Layer, mMask)) {
        AddSprite(*sprite, color, position, rotation);
    }
    TextCmp* text = object->Text;
    if (text != nullptr && text->Font != nullptr && LayersOverlap(text->Layer, mMask)) {
        text->Draw(mQuads, position, rotation, color);
    }
    mQuads.StepDepth();
    // Drawing may add children: the count is read again each time.
    for (size_t i = 0; i < object->Children.size(); ++i) {
        PrefetchAhead(object->Children, i);
        Walk(object->Children[i], color, position);
    }
}

// The walk is bound by memory latency: every object and component is a heap node of
// its own. Ask for the next siblings early: the object after next, and the components
// of the next one (whose object was asked for one step before).
void DrawLayerWalk::PrefetchAhead(const std::vector<GameObject*>& siblings, size_t current) {
    if (current + 2 < siblings.size()) {
        const GameObject* afterNext = siblings[current + 2];
        __builtin_prefetch(afterNext);
        __builtin_prefetch(&afterNext->Children);
    }
    if (current + 1 < siblings.size()) {
        const GameObject* next = siblings[current + 1];
        __builtin_prefetch(next->Pos2d);
        __builtin_prefetch(next->Sprite);
    }
}

// The quad covers only the trimmed frame: its size is the trim's share of the sprite's,
// and its centre moves from the sprite's centre by the trim's offset. Image rows run
// down, so the offset's y turns over in a y-up space; a flipped camera axis turns it
// back, as it does for text, so the frame stays in place under the interface camera.
void DrawLayerWalk::AddSprite(const SpriteCmp& sprite, Color color, Vector2 position, float rotation) {
    const Rect& trim = sprite.TrimRect;
    const Vector2 size = sprite.Size;
    const Vector2 trimmed = size * Vector2(trim.Width, trim.Height);
    const Vector2 offset(trim.X * size.X, trim.Y * size.Y);
    const float fx = mQuads.FlipX() ? -1.0f : 1.0f;
    const float fy = mQuads.FlipY() ? -1.0f : 1.0f;
    const Vector2 origin = (size - trimmed - offset * 2.0f) / 2.0f * Vector2(fx, -fy) + sprite.Origin;
    const Texture* texture = mOverride != nullptr ? mOverride : sprite.Texture;
    mQuads.AddQuad(sprite.UvRect, texture, rotation, color, trimmed, origin, position);
}
