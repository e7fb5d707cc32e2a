#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include "PhysicsTestSupport.h"
#include "object/Behavior.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "physics/B2MouseQuery.h"
#include "physics/B2RaycastClosestCallback.h"
#include "physics/FixtureMouseListenerBhv.h"

namespace {

// --- Closest ray hit ---

class RaycastTest : public PhysicsTest {
protected:
    B2RaycastClosestCallback Cast(bool staticOnly, Vector2 from = Vector2(0.0f, 0.0f),
                                  Vector2 to = Vector2(20.0f, 0.0f)) {
        B2RaycastClosestCallback callback;
        callback.StaticOnly = staticOnly;
        callback.Fixture = nullptr;
        Physics.World.RayCast(&callback, b2Vec2(from.X, from.Y), b2Vec2(to.X, to.Y));
        return callback;
    }
};

TEST_F(RaycastTest, AStaticOnlyRayThroughADynamicBodyReportsTheWallBehindIt) {
    B2FixtureCmp* wall = FixtureOf(NewBodyObject(Vector2(10.0f, 0.0f), B2BodyCmp::StaticType, "Box 1 5"));
    B2FixtureCmp* ant = FixtureOf(NewBodyObject(Vector2(5.0f, 0.0f), B2BodyCmp::DynamicType, "Circle 1"));

    const B2RaycastClosestCallback sight = Cast(true);
    EXPECT_EQ(sight.Fixture, wall->Fixture);
    EXPECT_NEAR(sight.Point.X, 9.0f, 1e-4f);
    EXPECT_NEAR(sight.Point.Y, 0.0f, 1e-4f);
    EXPECT_EQ(sight.Normal, Vector2(-1.0f, 0.0f));
    EXPECT_NEAR(sight.Fraction, 9.0f / 20.0f, 1e-5f);

    const B2RaycastClosestCallback any = Cast(false);
    EXPECT_EQ(any.Fixture, ant->Fixture);
    EXPECT_NEAR(any.Point.X, 4.0f, 1e-4f);
}

TEST_F(RaycastTest, WithNothingStaticInTheWayNoFixtureIsReported) {
    NewBodyObject(Vector2(5.0f, 0.0f), B2BodyCmp::DynamicType, "Circle 1");
    NewBodyObject(Vector2(8.0f, 0.0f), B2BodyCmp::KinematicType, "Box 1 1");
    NewBodyObject(Vector2(10.0f, 5.0f), B2BodyCmp::StaticType, "Box 1 1");  // off the ray
    EXPECT_EQ(Cast(true).Fixture, nullptr);
    EXPECT_NE(Cast(false).Fixture, nullptr);
}

TEST_F(RaycastTest, TheNearestOfSeveralWallsIsKeptWhateverTheReportOrder) {
    B2FixtureCmp* near = FixtureOf(NewBodyObject(Vector2(6.0f, 0.0f), B2BodyCmp::StaticType, "Box 0.5 5"));
    NewBodyObject(Vector2(12.0f, 0.0f), B2BodyCmp::StaticType, "Box 0.5 5");
    NewBodyObject(Vector2(16.0f, 0.0f), B2BodyCmp::StaticType, "Box 0.5 5");
    EXPECT_EQ(Cast(true).Fixture, near->Fixture);
    // From the other side the last wall is the nearest.
    const B2RaycastClosestCallback back = Cast(true, Vector2(20.0f, 0.0f), Vector2(0.0f, 0.0f));
    EXPECT_NEAR(back.Point.X, 16.5f, 1e-4f);
}

// --- Mouse over fixtures ---

class FixtureMouseTest : public PhysicsTest {
protected:
    GameObject* NewListenedBox(Vector2 pos) {
        GameObject* object = NewBodyObject(pos, B2BodyCmp::StaticType, "Box 0.5 0.5");
        object->AddComponent(new FixtureMouseListenerBhv());
        return object;
    }
    static FixtureMouseListenerBhv* ListenerOf(const GameObject* object) {
        return object->GetComponent<FixtureMouseListenerBhv>();
    }
};

TEST_F(FixtureMouseTest, TheQueryMarksTheListenerOfAnObjectUnderThePoint) {
    GameObject* under = NewListenedBox(Vector2(3.0f, 3.0f));
    GameObject* away = NewListenedBox(Vector2(-3.0f, 3.0f));
    MarkFixturesUnderMouse(Physics.World, Vector2(3.2f, 2.9f));
    EXPECT_TRUE(ListenerOf(under)->MouseOverThisPass);
    EXPECT_FALSE(ListenerOf(away)->MouseOverThisPass);
    EXPECT_FALSE(ListenerOf(under)->IsMouseOver) << "only the listener's input turns the mark into the answer";

    ListenerOf(under)->HandleInput();
    EXPECT_TRUE(ListenerOf(under)->IsMouseOver);
    EXPECT_FALSE(ListenerOf(under)->MouseOverThisPass);
    // A pass without the mark clears the answer.
    ListenerOf(under)->HandleInput();
    EXPECT_FALSE(ListenerOf(under)->IsMouseOver);
}

TEST_F(FixtureMouseTest, TwoFixturesUnderTheMouseMarkTheirObjectOnce) {
    GameObject* object = NewListenedBox(Vector2(0.0f, 0.0f));
    auto* second = new B2FixtureCmp();
    object->AddComponent(second);
    second->SetShape("Circle 0.25");
    // A second listener on the same object is not the one the query marks.
    auto* extra = new FixtureMouseListenerBhv();
    object->AddComponent(extra);
    NewBodyObject(Vector2(0.0f, 0.0f), B2BodyCmp::StaticType, "Circle 1");  // no listener

    MarkFixturesUnderMouse(Physics.World, Vector2(0.0f, 0.0f));
    FixtureMouseListenerBhv* listener = ListenerOf(object);
    EXPECT_TRUE(listener->MouseOverThisPass);
    EXPECT_FALSE(extra->MouseOverThisPass);
    listener->HandleInput();
    EXPECT_TRUE(listener->IsMouseOver);
}

TEST_F(FixtureMouseTest, TheQueryBoxReachesAnEighthOfAUnitAroundThePoint) {
    GameObject* object = NewListenedBox(Vector2(0.0f, 0.0f));
    // Box2D reports by the fattened broad-phase box: the polygon's skin and the tree's
    // margin around the edge at 0.5.
    const float reach = 0.5f + b2_polygonRadius + b2_aabbExtension + MouseQueryHalfSize;
    MarkFixturesUnderMouse(Physics.World, Vector2(reach - 0.02f, 0.0f));
    EXPECT_TRUE(ListenerOf(object)->MouseOverThisPass);
    ListenerOf(object)->HandleInput();
    MarkFixturesUnderMouse(Physics.World, Vector2(reach + 0.02f, 0.0f));
    EXPECT_FALSE(ListenerOf(object)->MouseOverThisPass);
}

}  // namespace
