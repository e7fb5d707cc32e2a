#include <gtest/gtest.h>

#include "object/BodyTransform.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/ObjectWalks.h"
#include "object/Pos2dCmp.h"

// Stand-in for the physics body, which lives in a higher layer.
class B2BodyCmp : public Component {
public:
    Vector2 Pos;
    float Angle = 0.0f;
    float Spin = 1.0f;
};

namespace {

class TransformTest : public ::testing::Test {
protected:
    void SetUp() override {
        gDeletionQueues = &mQueues;
        InstallObjectShortcutTypes();
        InstallShortcutType<B2BodyCmp>(ShortcutSlot::B2Body);
        mSavedHooks = gBodyTransformHooks;
        gBodyTransformHooks.GetPos = [](const B2BodyCmp* b) { return b->Pos; };
        gBodyTransformHooks.SetPos = [](B2BodyCmp* b, Vector2 p) { b->Pos = p; };
        gBodyTransformHooks.GetAngle = [](const B2BodyCmp* b) { return b->Angle; };
        gBodyTransformHooks.SetAngle = [](B2BodyCmp* b, float a) {
            b->Angle = a;
            b->Spin = 0.0f;
        };
    }
    void TearDown() override {
        gBodyTransformHooks = mSavedHooks;
        gDeletionQueues = nullptr;
    }

    // A child of parent with a Pos2dCmp at pos.
    static GameObject* AddPlaced(GameObject& parent, Vector2 pos, bool relative) {
        auto* child = new GameObject();
        parent.AddChild(child);
        Place(*child, pos, relative);
        return child;
    }
    static Pos2dCmp* Place(GameObject& object, Vector2 pos, bool relative) {
        auto* p = new Pos2dCmp();
        p->Pos = pos;
        p->IsRelative = relative;
        object.AddComponent(p);
        return p;
    }

    DeletionQueues mQueues;
    BodyTransformHooks mSavedHooks;
};

TEST_F(TransformTest, RelativePositionsAddUpThroughObjectsWithoutPos2d) {
    GameObject grandparent;
    Place(grandparent, Vector2(10.0f, 0.0f), false);
    auto* parent = new GameObject();
    grandparent.AddChild(parent);
    GameObject* child = AddPlaced(*parent, Vector2(1.0f, 1.0f), true);

    EXPECT_EQ(child->GetPos(), Vector2(11.0f, 1.0f));
}

TEST_F(TransformTest, AnAbsolutePositionIgnoresEveryAncestor) {
    GameObject root;
    Place(root, Vector2(10.0f, 10.0f), false);
    GameObject* middle = AddPlaced(root, Vector2(5.0f, 0.0f), true);
    GameObject* absolute = AddPlaced(*middle, Vector2(1.0f, 2.0f), false);
    GameObject* leaf = AddPlaced(*absolute, Vector2(1.0f, 1.0f), true);

    EXPECT_EQ(middle->GetPos(), Vector2(15.0f, 10.0f));
    EXPECT_EQ(absolute->GetPos(), Vector2(1.0f, 2.0f));
    EXPECT_EQ(leaf->GetPos(), Vector2(2.0f, 3.0f));
}

TEST_F(TransformTest, ParentRotationDoesNotTurnChildOffsets) {
    GameObject parent;
    Place(parent, Vector2(10.0f, 0.0f), false)->Rotation = 1.57f;
    GameObject* child = AddPlaced(parent, Vector2(1.0f, 0.0f), true);
    EXPECT_EQ(child->GetPos(), Vector2(11.0f, 0.0f));
    EXPECT_EQ(child->GetRotation(), 0.0f);
}

TEST_F(TransformTest, SetPosUnderARelativeParentStoresTheOffset) {
    GameObject parent;
    Place(parent, Vector2(10.0f, 0.0f), false);
    GameObject* child = AddPlaced(parent, Vector2(0.0f, 0.0f), true);

    child->SetPos(Vector2(15.0f, 5.0f));
    EXPECT_EQ(child->Pos2d->Pos, Vector2(5.0f, 5.0f));
    EXPECT_EQ(child->GetPos(), Vector2(15.0f, 5.0f));
}

TEST_F(TransformTest, TheFirstPos2dOfAnObjectIsItsPosition) {
    GameObject object;
    Place(object, Vector2(1.0f, 1.0f), false);
    Pos2dCmp* second = Place(object, Vector2(50.0f, 50.0f), false);
    EXPECT_EQ(object.GetPos(), Vector2(1.0f, 1.0f));
    EXPECT_EQ(second->GetWorldPos(), Vector2(1.0f, 1.0f));
}

TEST_F(TransformTest, WithoutPos2dTheBodyHoldsTheTransform) {
    GameObject object;
    auto* body = new B2BodyCmp();
    body->Pos = Vector2(3.0f, 4.0f);
    body->Angle = 0.5f;
    object.AddComponent(body);

    EXPECT_EQ(object.GetPos(), Vector2(3.0f, 4.0f));
    EXPECT_EQ(object.GetRotation(), 0.5f);
    object.SetPos(Vector2(-1.0f, 2.0f));
    EXPECT_EQ(body->Pos, Vector2(-1.0f, 2.0f));
    EXPECT_EQ(body->Angle, 0.5f);
    object.SetRotation(2.0f);
    EXPECT_EQ(body->Angle, 2.0f);
    EXPECT_EQ(body->Spin, 0.0f);

    // A Pos2dCmp takes precedence over the body.
    Place(object, Vector2(7.0f, 7.0f), false);
    EXPECT_EQ(object.GetPos(), Vector2(7.0f, 7.0f));
    object.SetRotation(1.0f);
    EXPECT_EQ(body->Angle, 2.0f);
    EXPECT_EQ(object.GetRotation(), 1.0f);
}

TEST_F(TransformTest, AnObjectWithoutTransformSitsAtTheOriginAndIgnoresMoves) {
    GameObject object;
    object.SetPos(Vector2(5.0f, 5.0f));
    object.SetRotation(1.0f);
    EXPECT_EQ(object.GetPos(), Vector2());
    EXPECT_EQ(object.GetRotation(), 0.0f);

    // Nor does a body whose hooks the physics layer has not installed yet.
    gBodyTransformHooks = BodyTransformHooks();
    object.AddComponent(new B2BodyCmp());
    EXPECT_EQ(object.GetPos(), Vector2());
    object.SetPos(Vector2(5.0f, 5.0f));
    EXPECT_EQ(object.B2Body->Pos, Vector2());
}

}  // namespace
