#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PhysicsTestSupport.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"

namespace {

struct Heard {
    std::string Who;
    b2Fixture* Other;
};

class B2ContactListenerTest : public PhysicsTest {
protected:
    // Two overlapping boxes: a dynamic one resting in a static one.
    void SetUp() override {
        Wall = FixtureOf(NewBodyObject(Vector2(0.0f, 0.0f), B2BodyCmp::StaticType, "Box 2 2", "wall"));
        Ball = FixtureOf(NewBodyObject(Vector2(0.5f, 0.5f), B2BodyCmp::DynamicType, "Circle 1", "ball"));
    }

    void Listen(B2FixtureCmp* fixture, ContactCallback B2FixtureCmp::*slot, const std::string& who) {
        fixture->*slot = [this, who](b2Contact*, b2Fixture* other) { Log.push_back({who, other}); };
    }

    B2FixtureCmp* Wall = nullptr;
    B2FixtureCmp* Ball = nullptr;
    std::vector<Heard> Log;
};

TEST_F(B2ContactListenerTest, ABeginningContactReachesBothFixturesWithTheOtherOne) {
    Listen(Wall, &B2FixtureCmp::OnBeginContact, "wall");
    Listen(Ball, &B2FixtureCmp::OnBeginContact, "ball");
    Physics.Step();
    ASSERT_EQ(Log.size(), 2u);
    // Fixture A of the contact first, whichever that is.
    const bool wallFirst = Log[0].Who == "wall";
    const Heard& wall = wallFirst ? Log[0] : Log[1];
    const Heard& ball = wallFirst ? Log[1] : Log[0];
    EXPECT_EQ(wall.Who, "wall");
    EXPECT_EQ(wall.Other, Ball->Fixture);
    EXPECT_EQ(ball.Who, "ball");
    EXPECT_EQ(ball.Other, Wall->Fixture);

    // A contact begins once.
    Log.clear();
    Physics.Step();
    EXPECT_TRUE(Log.empty());
}

TEST_F(B2ContactListenerTest, PreSolveReachesBothFixturesAtEverySolve) {
    Listen(Wall, &B2FixtureCmp::OnPreSolve, "wall");
    Listen(Ball, &B2FixtureCmp::OnPreSolve, "ball");
    Physics.Step();
    Physics.Step();
    ASSERT_EQ(Log.size(), 4u);
    for (const Heard& heard : Log) {
        EXPECT_EQ(heard.Other, heard.Who == "wall" ? Ball->Fixture : Wall->Fixture);
    }
}

TEST_F(B2ContactListenerTest, AnEmptySlotHearsNothingAndThePreSolveCanDisableTheContact) {
    Ball->OnPreSolve = [](b2Contact* contact, b2Fixture*) { contact->SetEnabled(false); };
    Listen(Ball, &B2FixtureCmp::OnBeginContact, "ball");
    // The wall's slots stay empty.
    for (int i = 0; i < 30; ++i) {
        Physics.Step();
    }
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Who, "ball");
    // Never pushed out of the wall: it falls freely.
    EXPECT_NEAR(BodyOf(Ball->Owner)->Body->GetLinearVelocity().y, -10.0f * 30.0f / 60.0f, 0.01f);
}

TEST_F(B2ContactListenerTest, AFixtureWithoutAComponentIsSkipped) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(-0.5f, 0.0f);
    b2Body* bare = Physics.World.CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 1.0f;
    b2Fixture* bareFixture = bare->CreateFixture(&circle, 1.0f);
    Listen(Wall, &B2FixtureCmp::OnBeginContact, "wall");
    Physics.Step();
    std::vector<b2Fixture*> others;
    for (const Heard& heard : Log) {
        others.push_back(heard.Other);
    }
    EXPECT_EQ(others.size(), 2u);
    EXPECT_NE(std::find(others.begin(), others.end(), bareFixture), others.end());
    EXPECT_NE(std::find(others.begin(), others.end(), Ball->Fixture), others.end());
    Physics.World.DestroyBody(bare);
}

}  // namespace
