#pragma once

#include <cstddef>
#include <vector>

#include "object/Color.h"
#include "object/DrawLayer.h"
#include "object/Vector2.h"

class GameObject;
class QuadBatcher;
class SpriteCmp;
class Texture;

// One layer pass over a subtree: every sprite (and text) whose layer shares a bit with
// the mask becomes quads, in tree order. Tints multiply down the tree; every visited
// object lies one depth step in front of those visited before it, so tree order decides
// overlap although the batches draw by texture. A hidden object hides its subtree.
class DrawLayerWalk {
public:
    // override: when set, every sprite draws with it instead of its own texture, keeping
    // its own frame rectangle.
    DrawLayerWalk(QuadBatcher& quads, DrawLayer mask, const Texture* override);

    // parent: the position relative positions of root are taken from.
    void Walk(GameObject* root, Color color, Vector2 parent);

private:
    static void PrefetchAhead(const std::vector<GameObject*>& siblings, size_t current);
    void AddSprite(const SpriteCmp& sprite, Color color, Vector2 position, float rotation);

    QuadBatcher& mQuads;
    DrawLayer mMask;
    const Texture* mOverride;
};
