#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include "PhysicsTestSupport.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2CollisionGroups.h"
#include "physics/B2FixtureCmp.h"

namespace {

using B2BodyCmpTest = PhysicsTest;
using B2FixtureCmpTest = PhysicsTest;
using B2DeletionTest = PhysicsTest;

const b2PolygonShape& PolygonOf(const b2Fixture* fixture) {
    return *static_cast<const b2PolygonShape*>(fixture->GetShape());
}

// --- Bodies ---

TEST_F(B2BodyCmpTest, TheFirstReadMakesAStaticBodyAtTheOrigin) {
    GameObject* object = NewObject();
    auto* body = new B2BodyCmp();
    object->AddComponent(body);
    EXPECT_EQ(body->Body, nullptr);
    EXPECT_EQ(Physics.World.GetBodyCount(), 0);

    EXPECT_EQ(PropertyText(*body, "Pos", 0), "0");
    ASSERT_NE(body->Body, nullptr);
    EXPECT_EQ(Physics.World.GetBodyCount(), 1);
    EXPECT_EQ(body->Body->GetType(), b2_staticBody);
    EXPECT_EQ(body->Body->GetUserData().pointer, reinterpret_cast<uintptr_t>(body));
    EXPECT_EQ(body->GetPos(), Vector2(0.0f, 0.0f));
    EXPECT_TRUE(body->Body->IsEnabled());
    EXPECT_EQ(body->Body->GetAngle(), 0.0f);
    EXPECT_EQ(body->Body->GetGravityScale(), 1.0f);
}

TEST_F(B2BodyCmpTest, PropertiesReadAndWriteTheBody) {
    GameObject* object = NewObject();
    auto* body = new B2BodyCmp();
    object->AddComponent(body);
    SetPropertyText(*body, "Type", "2");
    SetPropertyText(*body, "Pos", "3", 0);
    SetPropertyText(*body, "Pos", "-4", 1);
    SetPropertyText(*body, "Angle", "0.5");
    SetPropertyText(*body, "LinearDamping", "0.25");
    SetPropertyText(*body, "AngularDamping", "2");
    SetPropertyText(*body, "IsFixedRotation", "true");
    SetPropertyText(*body, "IsBullet", "true");
    SetPropertyText(*body, "GravityScale", "0");
    SetPropertyText(*body, "IsAwake", "false");

    const b2Body* b = body->Body;
    EXPECT_EQ(b->GetType(), b2_dynamicBody);
    EXPECT_EQ(b->GetPosition(), b2Vec2(3.0f, -4.0f));
    EXPECT_EQ(b->GetAngle(), 0.5f);
    EXPECT_EQ(b->GetLinearDamping(), 0.25f);
    EXPECT_EQ(b->GetAngularDamping(), 2.0f);
    EXPECT_TRUE(b->IsFixedRotation());
    EXPECT_TRUE(b->IsBullet());
    EXPECT_EQ(b->GetGravityScale(), 0.0f);
    EXPECT_FALSE(b->IsAwake());

    EXPECT_EQ(PropertyText(*body, "Type"), "2");
    EXPECT_EQ(PropertyText(*body, "Pos", 1), "-4");
    EXPECT_EQ(PropertyText(*body, "IsBullet"), "true");
    EXPECT_EQ(PropertyText(*body, "LinearDamping"), "0.25");
}

TEST_F(B2BodyCmpTest, ATypeOutsideBox2dsThreeKindsChangesNothing) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::KinematicType, "");
    B2BodyCmp* body = BodyOf(object);
    for (const char* type : {"3", "-1", "255"}) {
        SetPropertyText(*body, "Type", type);
        EXPECT_EQ(body->Body->GetType(), b2_kinematicBody) << type;
    }
}

TEST_F(B2BodyCmpTest, AnObjectWithoutPos2dIsPlacedAndTurnedThroughItsBody) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Circle 0.5");
    b2Body* body = BodyOf(object)->Body;
    object->SetPos(Vector2(7.0f, -2.0f));
    EXPECT_EQ(body->GetPosition(), b2Vec2(7.0f, -2.0f));
    EXPECT_EQ(object->GetPos(), Vector2(7.0f, -2.0f));

    body->SetAngularVelocity(3.0f);
    object->SetRotation(1.25f);
    EXPECT_EQ(body->GetAngle(), 1.25f);
    EXPECT_EQ(object->GetRotation(), 1.25f);
    // Turning a moving body stops its spin.
    EXPECT_EQ(body->GetAngularVelocity(), 0.0f);
    EXPECT_EQ(body->GetPosition(), b2Vec2(7.0f, -2.0f));

    // A Pos2dCmp, when there is one, holds the transform instead.
    auto* pos = new Pos2dCmp();
    object->AddComponent(pos);
    object->SetPos(Vector2(1.0f, 1.0f));
    EXPECT_EQ(pos->Pos, Vector2(1.0f, 1.0f));
    EXPECT_EQ(body->GetPosition(), b2Vec2(7.0f, -2.0f));
}

// --- Fixtures ---

TEST_F(B2FixtureCmpTest, AShapeSetWhileTheBodyExistsMakesTheLiveFixture) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "");
    auto* fixture = new B2FixtureCmp();
    object->AddComponent(fixture);
    SetPropertyText(*fixture, "Shape", "Box 1 0.5");

    ASSERT_NE(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->Fixture->GetBody(), BodyOf(object)->Body);
    EXPECT_EQ(fixture->Fixture->GetUserData().pointer, reinterpret_cast<uintptr_t>(fixture));
    EXPECT_EQ(fixture->Fixture->GetDensity(), 1.0f);
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.2f);
    EXPECT_EQ(fixture->Fixture->GetRestitution(), 0.0f);
    EXPECT_FALSE(fixture->Fixture->IsSensor());
    // Density 1 over a 2 x 1 box.
    EXPECT_FLOAT_EQ(BodyOf(object)->Body->GetMass(), 2.0f);
    EXPECT_EQ(PropertyText(*fixture, "Shape"), "Box 1 0.5");
}

TEST_F(B2FixtureCmpTest, AShapeSetBeforeTheBodyExistsWaitsForTheNextSet) {
    GameObject* object = NewObject();
    auto* body = new B2BodyCmp();
    object->AddComponent(body);
    auto* fixture = new B2FixtureCmp();
    object->AddComponent(fixture);
    fixture->SetShape("Circle 1");
    EXPECT_EQ(body->Body, nullptr) << "the setter does not make the body";
    EXPECT_EQ(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->ShapeToString(), "Circle 1");

    body->EnsureBody();
    fixture->SetShape("Circle 1");
    ASSERT_NE(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->Fixture->GetShape()->m_radius, 1.0f);
}

TEST_F(B2FixtureCmpTest, APolygonReadsBackAsWrittenThoughBox2dReordersIt) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::StaticType, "Polygon 0 0 1 0 0 1");
    B2FixtureCmp* fixture = FixtureOf(object);
    const b2PolygonShape& shape = PolygonOf(fixture->Fixture);
    ASSERT_EQ(shape.m_count, 3);
    // Box2D's hull starts elsewhere; the text keeps the written order.
    EXPECT_NE(shape.m_vertices[0], b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(PropertyText(*fixture, "Shape"), "Polygon 0 0 1 0 0 1");

    fixture->SetShape("Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5");
    EXPECT_EQ(fixture->ShapeToString(), "Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5");
}

TEST_F(B2FixtureCmpTest, EveryShapeSetReplacesTheLiveFixture) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 1");
    B2FixtureCmp* fixture = FixtureOf(object);
    fixture->SetShape("Circle 2");
    ASSERT_NE(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->Fixture->GetType(), b2Shape::e_circle);
    int count = 0;
    for (const b2Fixture* f = BodyOf(object)->Body->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST_F(B2FixtureCmpTest, TextThatDoesNotParseLeavesShapeAndFixtureUnchanged) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 0.5");
    B2FixtureCmp* fixture = FixtureOf(object);
    const b2Fixture* live = fixture->Fixture;
    for (const char* text : {"box 1 1", "Box", "", "Box 1", "Circle -1", "Polygon 0 0 0 1 1 0", "Box 1-2 1"}) {
        SetPropertyText(*fixture, "Shape", text);
        EXPECT_EQ(fixture->ShapeToString(), "Box 1 0.5") << '"' << text << '"';
        EXPECT_EQ(fixture->Fixture, live);
    }
    EXPECT_EQ(PolygonOf(live).m_vertices[2], b2Vec2(1.0f, 0.5f));
}

TEST_F(B2FixtureCmpTest, ShapesBox2dWouldAssertOnLeaveTheLiveFixtureAndTheWorldSteps) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Circle 0.5");
    B2FixtureCmp* fixture = FixtureOf(object);
    const b2Fixture* live = fixture->Fixture;
    for (const char* text : {"Box 1 3.4e38", "Circle 1e20", "Polygon -3e38 -3e38 3e38 -3e38 3e38 3e38 -3e38 3e38",
                             "Polygon 500 500 500.05 500 500.05 500.05 500 500.05"}) {
        SetPropertyText(*fixture, "Shape", text);
        EXPECT_EQ(fixture->ShapeToString(), "Circle 0.5") << '"' << text << '"';
        EXPECT_EQ(fixture->Fixture, live);
        Physics.Step();
    }
    EXPECT_GT(BodyOf(object)->Body->GetInertia(), 0.0f);
}

TEST_F(B2FixtureCmpTest, EdgeKeepsTheShapeButABoxThenWritesItselfAsAPolygon) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 0.5");
    B2FixtureCmp* fixture = FixtureOf(object);
    const b2Fixture* live = fixture->Fixture;
    fixture->SetShape("Edge 0 0 1 1");
    EXPECT_EQ(fixture->Fixture, live);
    EXPECT_EQ(fixture->ShapeToString(), "Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5");
    // That text reads back as the same shape.
    fixture->SetShape(fixture->ShapeToString());
    EXPECT_EQ(fixture->ShapeToString(), "Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5");

    B2FixtureCmp empty;
    empty.SetShape("Chain 0 0 1 1");
    EXPECT_EQ(empty.ShapeToString(), "");
}

TEST_F(B2FixtureCmpTest, MaterialBeforeTheFixtureGoesToTheDefinitionAfterToBoth) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "");
    auto* fixture = new B2FixtureCmp();
    object->AddComponent(fixture);
    SetPropertyText(*fixture, "Friction", "0.75");
    SetPropertyText(*fixture, "Restitution", "0.5");
    SetPropertyText(*fixture, "Density", "3");
    SetPropertyText(*fixture, "IsSensor", "true");
    EXPECT_EQ(PropertyText(*fixture, "Friction"), "0.75");
    EXPECT_EQ(fixture->Fixture, nullptr);

    fixture->SetShape("Box 1 1");
    ASSERT_NE(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.75f);
    EXPECT_EQ(fixture->Fixture->GetRestitution(), 0.5f);
    EXPECT_EQ(fixture->Fixture->GetDensity(), 3.0f);
    EXPECT_TRUE(fixture->Fixture->IsSensor());

    SetPropertyText(*fixture, "Friction", "0.125");
    SetPropertyText(*fixture, "IsSensor", "false");
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.125f);
    EXPECT_FALSE(fixture->Fixture->IsSensor());
    // The definition changed too: the next fixture keeps the value.
    fixture->SetShape("Circle 1");
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.125f);
    EXPECT_EQ(PropertyText(*fixture, "Friction"), "0.125");

    // The density is the fixture's, but the mass waits for the next reset.
    const float mass = BodyOf(object)->Body->GetMass();
    SetPropertyText(*fixture, "Density", "10");
    EXPECT_EQ(fixture->Fixture->GetDensity(), 10.0f);
    EXPECT_EQ(BodyOf(object)->Body->GetMass(), mass);
}

TEST_F(B2FixtureCmpTest, NegativeDensityOrFrictionChangesNothing) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 1");
    B2FixtureCmp* fixture = FixtureOf(object);
    SetPropertyText(*fixture, "Density", "-1");
    SetPropertyText(*fixture, "Friction", "-0.5");
    EXPECT_EQ(fixture->Fixture->GetDensity(), 1.0f);
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.2f);
    // Nor did the definition take them: the next fixture is made normally.
    fixture->SetShape("Box 2 2");
    EXPECT_EQ(fixture->Fixture->GetDensity(), 1.0f);
    EXPECT_FLOAT_EQ(BodyOf(object)->Body->GetMass(), 16.0f);
    SetPropertyText(*fixture, "Density", "0");
    EXPECT_EQ(PropertyText(*fixture, "Density"), "0");
}

TEST_F(B2FixtureCmpTest, TheCollisionGroupSurvivesANewShape) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Circle 1");
    B2FixtureCmp* fixture = FixtureOf(object);
    fixture->SetCollisionGroup(CollisionGroupInsects);
    EXPECT_EQ(fixture->Fixture->GetFilterData().groupIndex, CollisionGroupInsects);
    fixture->SetShape("Box 1 1");
    EXPECT_EQ(fixture->Fixture->GetFilterData().groupIndex, CollisionGroupInsects);
    EXPECT_EQ(fixture->Fixture->GetFilterData().categoryBits, 0x0001);
    EXPECT_EQ(fixture->Fixture->GetFilterData().maskBits, 0xFFFF);
}

// --- Deletion orders (run under AddressSanitizer) ---

TEST_F(B2DeletionTest, AFixtureDeletedFirstTakesItsFixtureOffTheBody) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 1");
    b2Body* body = BodyOf(object)->Body;
    delete FixtureOf(object);
    EXPECT_EQ(body->GetFixtureList(), nullptr);
    EXPECT_EQ(FixtureOf(object), nullptr);
    // The world steps without the fixture.
    Physics.Step();
}

TEST_F(B2DeletionTest, ABodyDeletedFirstLeavesItsFixtureComponentsWithoutAFixture) {
    GameObject* object = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 1");
    auto* second = new B2FixtureCmp();
    object->AddComponent(second);
    second->SetShape("Circle 0.5");
    B2FixtureCmp* first = FixtureOf(object);
    ASSERT_NE(second->Fixture, nullptr);

    delete BodyOf(object);
    EXPECT_EQ(Physics.World.GetBodyCount(), 0);
    EXPECT_EQ(first->Fixture, nullptr);
    EXPECT_EQ(second->Fixture, nullptr);
    EXPECT_EQ(PropertyText(*first, "Friction"), "0.200000003");
    // Without a body a new shape makes no fixture.
    first->SetShape("Circle 2");
    EXPECT_EQ(first->Fixture, nullptr);
    delete first;
    delete second;
    Physics.Step();
}

TEST_F(B2DeletionTest, DeletingTheObjectInEitherComponentOrderIsClean) {
    // Components are deleted last first: the fixture before the body.
    GameObject* usual = NewBodyObject(Vector2(), B2BodyCmp::DynamicType, "Box 1 1");
    // Fixture component first in the list: the body goes first.
    GameObject* reversed = NewObject();
    auto* fixture = new B2FixtureCmp();
    reversed->AddComponent(fixture);
    auto* body = new B2BodyCmp();
    reversed->AddComponent(body);
    body->EnsureBody();
    fixture->SetShape("Circle 1");
    ASSERT_NE(fixture->Fixture, nullptr);

    Objects.clear();
    EXPECT_EQ(Physics.World.GetBodyCount(), 0);
    (void)usual;
}

}  // namespace
