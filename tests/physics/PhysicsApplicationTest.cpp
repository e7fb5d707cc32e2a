#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <memory>

#include "EngineContentFixture.h"
#include "ManualClock.h"
#include "PhysicsTestSupport.h"
#include "app/Application.h"
#include "object/GameObject.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureCmp.h"
#include "physics/B2MainContactListener.h"

namespace {

class PhysicsApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        App = std::make_unique<Application>(Clock);
        App->PumpMessagesFn = [] { return true; };
        App->StartLoop();
        gGameplayRoot = new GameObject();
        gRootObject->AddChild(gGameplayRoot);
    }
    void TearDown() override { App.reset(); }

    GameObject* AddBodyObject(GameObject* parent) {
        auto* object = new GameObject();
        parent->AddChild(object);
        auto* body = new B2BodyCmp();
        object->AddComponent(body);
        body->EnsureBody();
        return object;
    }
    void RunPass() {
        Clock.AdvanceSteps(1);
        ASSERT_TRUE(App->RunPass());
    }

    ManualClock Clock;
    std::unique_ptr<Application> App;
};

TEST_F(PhysicsApplicationTest, TheWorldHasTheGamesListenerAndDrawer) {
    ASSERT_NE(gPhysicsWorld, nullptr);
    ASSERT_NE(App->ContactListener, nullptr);
    ASSERT_NE(gB2DebugDrawer, nullptr);
    EXPECT_EQ(gPhysicsWorld->GetGravity(), b2Vec2(0.0f, -10.0f));

    // The application's listener routes contacts to fixture components.
    GameObject* wall = AddBodyObject(gGameplayRoot);
    auto* wallFixture = new B2FixtureCmp();
    wall->AddComponent(wallFixture);
    wallFixture->SetShape("Box 2 2");
    GameObject* ball = AddBodyObject(gGameplayRoot);
    ball->B2Body->Body->SetType(b2_dynamicBody);
    auto* ballFixture = new B2FixtureCmp();
    ball->AddComponent(ballFixture);
    ballFixture->SetShape("Circle 1");
    int heard = 0;
    wallFixture->OnBeginContact = [&heard](b2Contact*, b2Fixture*) { ++heard; };
    RunPass();
    EXPECT_EQ(heard, 1);
}

TEST_F(PhysicsApplicationTest, BodyActivityFollowsUpdateEnabledDownTheGameplayTree) {
    GameObject* group = AddBodyObject(gGameplayRoot);
    GameObject* leaf = AddBodyObject(group);
    auto* outside = new GameObject();
    gRootObject->AddChild(outside);
    outside->AddComponent(new B2BodyCmp());
    outside->B2Body->EnsureBody();
    // A body never touched stays unmade: activity is not a reason to make one.
    auto* untouched = new GameObject();
    group->AddChild(untouched);
    untouched->AddComponent(new B2BodyCmp());

    group->UpdateEnabled = 0;
    outside->UpdateEnabled = 0;
    RunPass();
    EXPECT_FALSE(group->B2Body->Body->IsEnabled());
    EXPECT_FALSE(leaf->B2Body->Body->IsEnabled());
    EXPECT_TRUE(outside->B2Body->Body->IsEnabled()) << "outside the gameplay root nothing is touched";
    EXPECT_EQ(untouched->B2Body->Body, nullptr);

    group->UpdateEnabled = 1;
    leaf->UpdateEnabled = 0;
    RunPass();
    EXPECT_TRUE(group->B2Body->Body->IsEnabled());
    EXPECT_FALSE(leaf->B2Body->Body->IsEnabled());

    leaf->UpdateEnabled = 1;
    gGameplayRoot->UpdateEnabled = 0;
    RunPass();
    EXPECT_FALSE(group->B2Body->Body->IsEnabled());
    EXPECT_FALSE(leaf->B2Body->Body->IsEnabled());

    gGameplayRoot->UpdateEnabled = 1;
    RunPass();
    EXPECT_TRUE(group->B2Body->Body->IsEnabled());
    EXPECT_TRUE(leaf->B2Body->Body->IsEnabled());
}

// Prefabs give their properties in name order, so the fixture's material is in its
// definition before "Shape" makes the fixture.
class PhysicsPrefabTest : public EngineContentFixture {
protected:
    ~PhysicsPrefabTest() override {
        // The objects' bodies go before the world.
        Root.reset();
    }
    ScopedPhysicsWorld Physics;
};

TEST_F(PhysicsPrefabTest, APrefabBuildsItsBodyAndFixtureFromText) {
    WritePrefab("Crate", R"({
        "B2BodyCmp": { "Type": "2", "Pos": { "X": "3", "Y": "-1" }, "IsFixedRotation": "true" },
        "B2FixtureCmp": { "Shape": "Polygon 0 0 1 0 0 1", "Friction": "0.75", "Density": "4", "IsSensor": "true" }
    })");
    LoadContent();
    GameObject* crate = new GameObject("Crate");
    Root->AddChild(crate);

    ASSERT_NE(crate->B2Body, nullptr);
    const b2Body* body = crate->B2Body->Body;
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetType(), b2_dynamicBody);
    EXPECT_EQ(body->GetPosition(), b2Vec2(3.0f, -1.0f));
    EXPECT_TRUE(body->IsFixedRotation());
    EXPECT_EQ(crate->GetPos(), Vector2(3.0f, -1.0f));

    const B2FixtureCmp* fixture = FixtureOf(crate);
    ASSERT_NE(fixture->Fixture, nullptr);
    EXPECT_EQ(fixture->Fixture->GetFriction(), 0.75f);
    EXPECT_EQ(fixture->Fixture->GetDensity(), 4.0f);
    EXPECT_TRUE(fixture->Fixture->IsSensor());
    EXPECT_EQ(fixture->ShapeToString(), "Polygon 0 0 1 0 0 1");
}

}  // namespace
