#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/RuntimeTypes.h"
#include "assets/Texture.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "render/DrawLayerWalk.h"
#include "render/QuadBatcher.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

constexpr Color kWhite{255, 255, 255, 255};

// The centre and size of a quad from its four corners.
struct QuadBox {
    Vector2 Centre;
    Vector2 Size;
};

QuadBox BoxOf(const Vertex* quad) {
    const Vertex& first = quad[0];
    const Vertex& last = quad[3];
    return {Vector2((first.X + last.X) / 2.0f, (first.Y + last.Y) / 2.0f), Vector2(last.X - first.X, first.Y - last.Y)};
}

class LayerWalkTest : public ::testing::Test {
protected:
    LayerWalkTest() {
        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
    }

    // A child of parent (the root when null) with a sprite of the texture on the layer.
    GameObject* AddSprite(GameObject* parent, Texture* texture, DrawLayer layer = DrawLayer::Foreground) {
        GameObject* object = AddObject(parent);
        auto* sprite = new SpriteCmp();
        sprite->SetTexture(texture);
        sprite->Layer = layer;
        object->AddComponent(sprite);
        return object;
    }

    GameObject* AddObject(GameObject* parent) {
        auto* object = new GameObject();
        (parent != nullptr ? parent : &Root)->AddChild(object);
        return object;
    }

    static Pos2dCmp* Place(GameObject* object, Vector2 pos, bool relative = false) {
        auto* p = new Pos2dCmp();
        p->Pos = pos;
        p->IsRelative = relative;
        object->AddComponent(p);
        return p;
    }

    static void Tint(GameObject* object, Color color) {
        auto* tint = new TintCmp();
        tint->Tint = color;
        object->AddComponent(tint);
    }

    void Draw(DrawLayer mask, const Texture* override = nullptr) {
        Quads.Reset();
        DrawLayerWalk(Quads, mask, override).Walk(&Root, kWhite, Vector2());
    }

    // The quads of batch 0 in order.
    std::vector<QuadBox> Boxes(int batch = 0) const {
        std::vector<QuadBox> boxes;
        const std::vector<Vertex>& v = Quads.BatchVertices(batch);
        for (size_t i = 0; i + 3 < v.size(); i += 4) {
            boxes.push_back(BoxOf(&v[i]));
        }
        return boxes;
    }

    GameObject Root;
    QuadBatcher Quads;
    Texture A;
    Texture B;
};

}  // namespace

TEST_F(LayerWalkTest, TintsMultiplyDownTheTree) {
    GameObject* parent = AddObject(nullptr);
    Tint(parent, Color(128, 128, 128, 255));
    GameObject* child = AddSprite(parent, &A);
    Tint(child, Color(255, 0, 0, 255));
    GameObject* grandchild = AddSprite(child, &A);  // no tint of its own: inherits the product
    (void)grandchild;
    Draw(DrawLayer::Foreground);
    const std::vector<Vertex>& v = Quads.BatchVertices(0);
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(v[0].Argb, 0xFF800000u);  // (128, 0, 0, 255)
    EXPECT_EQ(v[4].Argb, 0xFF800000u);
    EXPECT_EQ(TintCmp::Multiply(Color(200, 100, 3, 255), Color(128, 255, 254, 1)), Color(100, 100, 2, 1));
}

TEST_F(LayerWalkTest, EveryVisitedObjectLiesOneStepCloser) {
    AddSprite(nullptr, &A);
    AddObject(nullptr);  // drawn nothing, still a step
    GameObject* third = AddSprite(nullptr, &B);
    AddSprite(third, &A);
    Quads.SetDepth(1.0f);
    Draw(DrawLayer::Foreground);

    const std::vector<Vertex>& a = Quads.BatchVertices(0);
    const std::vector<Vertex>& b = Quads.BatchVertices(1);
    const float step = QuadBatcher::DepthStep;
    // Root is visited first: it takes depth 1 and passes 1 - step on.
    EXPECT_FLOAT_EQ(a[0].Z, 1.0f - step);
    EXPECT_FLOAT_EQ(b[0].Z, 1.0f - 3 * step);
    EXPECT_FLOAT_EQ(a[4].Z, 1.0f - 4 * step);
    EXPECT_LT(a[4].Z, b[0].Z);
    EXPECT_LT(b[0].Z, a[0].Z);
    EXPECT_FLOAT_EQ(Quads.Depth(), 1.0f - 5 * step);
}

TEST_F(LayerWalkTest, AHiddenObjectHidesItsWholeSubtree) {
    GameObject* hidden = AddSprite(nullptr, &A);
    hidden->DrawEnabled = 0;
    AddSprite(hidden, &A);
    AddSprite(nullptr, &B);
    Draw(DrawLayer::Foreground);
    ASSERT_EQ(Quads.BatchCount(), 1);
    EXPECT_EQ(Quads.BatchTexture(0), &B);
    EXPECT_FLOAT_EQ(Quads.Depth(), 1.0f - 2 * QuadBatcher::DepthStep) << "hidden objects take no depth step";
}

TEST_F(LayerWalkTest, QuadsAreBatchedByTextureInOrderOfFirstUse) {
    AddSprite(nullptr, &A);
    AddSprite(nullptr, &B);
    AddSprite(nullptr, &A);
    Draw(DrawLayer::Foreground);
    ASSERT_EQ(Quads.BatchCount(), 2);
    EXPECT_EQ(Quads.BatchTexture(0), &A);
    EXPECT_EQ(Quads.BatchVertices(0).size(), 8u);
    EXPECT_EQ(Quads.BatchTexture(1), &B);
}

TEST_F(LayerWalkTest, OnlyLayersSharingABitWithTheMaskAreDrawn) {
    AddSprite(nullptr, &A, DrawLayer::Ui | DrawLayer::Editor);
    GameObject* noTexture = AddSprite(nullptr, nullptr, DrawLayer::Ui);
    (void)noTexture;
    Draw(DrawLayer::Ui);
    EXPECT_EQ(Quads.BatchCount(), 1);
    Draw(DrawLayer::Editor);
    EXPECT_EQ(Quads.BatchCount(), 1);
    Draw(DrawLayer::Foreground);
    EXPECT_EQ(Quads.BatchCount(), 0);
}

TEST_F(LayerWalkTest, RelativePositionsAddToTheParentsDrawnPosition) {
    GameObject* grandparent = AddObject(nullptr);
    Place(grandparent, Vector2(100.0f, 100.0f));
    GameObject* unplaced = AddObject(grandparent);  // neither position nor body
    GameObject* child = AddSprite(unplaced, &A);
    Place(child, Vector2(1.0f, 2.0f), true);
    GameObject* placed = AddSprite(grandparent, &A);
    Place(placed, Vector2(3.0f, 4.0f), true);
    GameObject* absolute = AddSprite(placed, &A);
    Place(absolute, Vector2(-5.0f, 0.0f));
    Draw(DrawLayer::Foreground);

    const std::vector<QuadBox> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Centre, Vector2(1.0f, 2.0f)) << "relative to the origin, not the grandparent";
    EXPECT_EQ(boxes[1].Centre, Vector2(103.0f, 104.0f));
    EXPECT_EQ(boxes[2].Centre, Vector2(-5.0f, 0.0f));
}

TEST_F(LayerWalkTest, RotationComesFromThePosition) {
    GameObject* turned = AddSprite(nullptr, &A);
    Place(turned, Vector2(), false)->Rotation = 0.5f;
    Draw(DrawLayer::Foreground);
    EXPECT_NEAR(Quads.BatchVertices(0)[0].V1, std::sin(0.5f), 1e-6f);
}

TEST_F(LayerWalkTest, TheTrimShrinksTheQuadAroundTheTrimmedPart) {
    GameObject* centred = AddSprite(nullptr, &A);
    centred->Sprite->Size = Vector2(4.0f, 2.0f);
    centred->Sprite->TrimRect = Rect(0.25f, 0.0f, 0.5f, 1.0f);
    GameObject* top = AddSprite(nullptr, &A);
    top->Sprite->Size = Vector2(4.0f, 2.0f);
    top->Sprite->TrimRect = Rect(0.0f, 0.0f, 0.5f, 0.5f);  // the image's top-left quarter
    top->Sprite->Origin = Vector2(0.0f, 1.0f);
    Draw(DrawLayer::Foreground);

    const std::vector<QuadBox> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Size, Vector2(2.0f, 2.0f));
    EXPECT_EQ(boxes[0].Centre, Vector2(0.0f, 0.0f));
    EXPECT_EQ(boxes[1].Size, Vector2(2.0f, 1.0f));
    // y up: the image's top is the larger y; the origin moves the centre down by 1.
    EXPECT_EQ(boxes[1].Centre, Vector2(-1.0f, -0.5f));
}

TEST_F(LayerWalkTest, UnderTheInterfaceCameraTheTrimOffsetFollowsTheFlip) {
    GameObject* top = AddSprite(nullptr, &A, DrawLayer::Ui);
    top->Sprite->Size = Vector2(4.0f, 2.0f);
    top->Sprite->TrimRect = Rect(0.0f, 0.0f, 0.5f, 0.5f);
    Place(top, Vector2(640.0f, 360.0f));
    Quads.SetFlip(false, true);
    Draw(DrawLayer::Ui);

    const Vertex* quad = Quads.BatchVertices(0).data();
    // y down: the image's top quarter lies above the sprite's centre, at smaller y.
    EXPECT_FLOAT_EQ((quad[0].Y + quad[3].Y) / 2.0f, 359.5f);
    EXPECT_FLOAT_EQ((quad[0].X + quad[3].X) / 2.0f, 639.0f);
    // And the texture stays upright: the first corner (v = top) has the smaller y.
    EXPECT_LT(quad[0].Y, quad[3].Y);
}

TEST_F(LayerWalkTest, AnOverrideTextureReplacesEverySpritesTextureButNotItsFrame) {
    GameObject* sprite = AddSprite(nullptr, &A, DrawLayer::Background);
    sprite->Sprite->UvRect = Rect(0.5f, 0.25f, 0.25f, 0.25f);
    AddSprite(nullptr, &B, DrawLayer::Background);
    Texture firstPass;
    Draw(DrawLayer::Background, &firstPass);
    ASSERT_EQ(Quads.BatchCount(), 1);
    EXPECT_EQ(Quads.BatchTexture(0), &firstPass);
    EXPECT_FLOAT_EQ(Quads.BatchVertices(0)[0].U0, 0.5f);
    EXPECT_FLOAT_EQ(Quads.BatchVertices(0)[3].V0, 0.5f);
}
