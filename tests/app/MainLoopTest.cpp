#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <memory>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "app/Application.h"
#include "app/FixedStepTimer.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"
#include "fx/AnimationManager.h"
#include "input/InputManager.h"
#include "object/Behavior.h"
#include "object/Coroutine.h"
#include "object/Events.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2DebugDrawer.h"
#include "render/Graphics.h"

namespace {

TEST(FixedStepTimerTest, ArrivingExactlyOnTheStepCountsOneStep) {
    ManualClock clock;
    FixedStepTimer timer(clock, 60, 5);
    timer.Start();
    clock.Time = timer.NextStepTime();
    float delta = 0.0f;
    EXPECT_EQ(timer.WaitForSteps(&delta), 1);
    EXPECT_FLOAT_EQ(delta, 1.0f / 60.0f);
    EXPECT_TRUE(clock.Sleeps.empty());
}

TEST(FixedStepTimerTest, TenStepsLateCountsSixAndDropsTheBacklog) {
    ManualClock clock;
    FixedStepTimer timer(clock, 60, 5);
    timer.Start();
    clock.Time = timer.NextStepTime() + 9 * timer.StepTicks();
    float delta = 0.0f;
    EXPECT_EQ(timer.WaitForSteps(&delta), 6);
    float expected = 0.0f;
    for (int i = 0; i < 6; ++i) {
        expected += 1.0f / 60.0f;
    }
    EXPECT_EQ(delta, expected);
    EXPECT_GT(timer.NextStepTime(), clock.Time);

    // The next pass waits for a full step again.
    clock.Sleeps.clear();
    EXPECT_EQ(timer.WaitForSteps(&delta), 1);
    EXPECT_FALSE(clock.Sleeps.empty());
}

TEST(FixedStepTimerTest, SleepsWholeMillisecondsRoundedDownToTheResolution) {
    ManualClock clock;
    clock.Resolution = 2;
    FixedStepTimer timer(clock, 60, 5);
    timer.Start();  // 16.666 ms ahead
    float delta = 0.0f;
    timer.WaitForSteps(&delta);
    ASSERT_GE(clock.Sleeps.size(), 2u);
    EXPECT_EQ(clock.Sleeps[0], 16u);
    // 0.666 ms left: less than the resolution, so a zero sleep and another poll.
    EXPECT_EQ(clock.Sleeps[1], 0u);
    EXPECT_GE(clock.Time, timer.NextStepTime() - timer.StepTicks());
}

b2Body* CreateFallingBody() {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* body = gPhysicsWorld->CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 0.5f;
    body->CreateFixture(&circle, 1.0f);
    return body;
}

struct Recorder : Behavior {
    explicit Recorder(std::vector<std::string>* log) : Log(log) {}
    void HandleInput() override { Log->push_back("input"); }
    void Update() override { Log->push_back("update"); }
    std::vector<std::string>* Log;
};

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        mApp = new Application(mClock);
        mApp->PumpMessagesFn = [this] {
            mLog.push_back("pump");
            return mKeepRunning;
        };
        mApp->StartLoop();
        gRootObject->AddComponent(new Recorder(&mLog));
    }
    void TearDown() override { delete mApp; }

    ManualClock mClock;
    Application* mApp = nullptr;
    std::vector<std::string> mLog;
    bool mKeepRunning = true;
};

TEST_F(MainLoopTest, PassRunsPumpInputAndUpdateInOrderAndAddsTime) {
    mClock.AdvanceSteps(1);
    EXPECT_TRUE(mApp->RunPass());
    EXPECT_EQ(mLog, (std::vector<std::string>{"pump", "input", "update"}));
    EXPECT_FLOAT_EQ(gGameTime->DeltaTime, 1.0f / 60.0f);
    EXPECT_FLOAT_EQ(gGameTime->TotalTime, 1.0f / 60.0f);
}

TEST_F(MainLoopTest, QuitEndsThePassBeforeWalksAndPhysics) {
    b2Body* body = CreateFallingBody();
    mKeepRunning = false;
    mClock.AdvanceSteps(1);
    EXPECT_FALSE(mApp->RunPass());
    EXPECT_EQ(mLog, (std::vector<std::string>{"pump"}));
    EXPECT_EQ(body->GetLinearVelocity().y, 0.0f);
}

TEST_F(MainLoopTest, PhysicsStepIsCappedAtTwoStepsWhateverTheDelta) {
    b2Body* body = CreateFallingBody();
    mClock.AdvanceSteps(10);
    ASSERT_TRUE(mApp->RunPass());
    EXPECT_FLOAT_EQ(gGameTime->DeltaTime, 6.0f / 60.0f);
    // Gravity (0, -10) for one step of 2/60 s.
    EXPECT_NEAR(body->GetLinearVelocity().y, -10.0f * 2.0f / 60.0f, 1e-5f);
}

TEST_F(MainLoopTest, DestroyedObjectsAreDeletedAfterTheUpdateWalk) {
    GameObject* child = new GameObject();
    gRootObject->AddChild(child);
    child->AddComponent(new Recorder(&mLog));
    child->Destroy();
    mClock.AdvanceSteps(1);
    ASSERT_TRUE(mApp->RunPass());
    // Still updated in the pass it was queued for, then gone.
    EXPECT_EQ(mLog, (std::vector<std::string>{"pump", "input", "input", "update", "update"}));
    EXPECT_TRUE(gRootObject->Children.empty());
}

TEST_F(MainLoopTest, BodiesAreActiveOnlyUnderEnabledAncestorsOfTheGameplayRoot) {
    auto addWithBody = [](GameObject* parent, const char* name) {
        auto* object = new GameObject();
        object->Name = name;
        parent->AddChild(object);
        auto* body = new B2BodyCmp();
        object->AddComponent(body);
        return body->EnsureBody();
    };
    auto* gameplay = new GameObject();
    gameplay->Name = "GameplayRoot";
    gRootObject->AddChild(gameplay);
    gGameplayRoot = gameplay;
    b2Body* group = addWithBody(gameplay, "group");
    b2Body* leaf = addWithBody(gameplay->Children[0], "leaf");
    b2Body* outside = addWithBody(gRootObject, "outside");
    // Outside the gameplay root nothing is synchronised: it stays as set.
    outside->SetEnabled(false);

    gameplay->Children[0]->UpdateEnabled = 0;
    mClock.AdvanceSteps(1);
    ASSERT_TRUE(mApp->RunPass());
    EXPECT_FALSE(group->IsEnabled());
    EXPECT_FALSE(leaf->IsEnabled()) << "a disabled ancestor deactivates the subtree";
    EXPECT_FALSE(outside->IsEnabled());

    gameplay->Children[0]->UpdateEnabled = 1;
    mClock.AdvanceSteps(1);
    ASSERT_TRUE(mApp->RunPass());
    EXPECT_TRUE(group->IsEnabled());
    EXPECT_TRUE(leaf->IsEnabled());

    gameplay->UpdateEnabled = 0;
    mClock.AdvanceSteps(1);
    ASSERT_TRUE(mApp->RunPass());
    EXPECT_FALSE(group->IsEnabled());
    EXPECT_FALSE(leaf->IsEnabled());
    EXPECT_FALSE(outside->IsEnabled());
}

// Code that outlives the application (static destructors, a late behaviour) tests
// these for null, so none may be left dangling.
TEST(ApplicationLifetimeTest, DestructionClearsEveryGlobalItCreated) {
    ManualClock clock;
    auto app = std::make_unique<Application>(clock);
    ASSERT_NE(gGameTime, nullptr);
    app.reset();

    EXPECT_EQ(gApplication, nullptr);
    EXPECT_EQ(gDeletionQueues, nullptr);
    EXPECT_EQ(gEvents, nullptr);
    EXPECT_EQ(gB2DebugDrawer, nullptr);
    EXPECT_EQ(gPhysicsWorld, nullptr);
    EXPECT_EQ(gRootObject, nullptr);
    EXPECT_EQ(gGameplayRoot, nullptr);
    EXPECT_EQ(gRandomManager, nullptr);
    EXPECT_EQ(gGraphics, nullptr);
    EXPECT_EQ(gFontRegistry, nullptr);
    EXPECT_EQ(gTextureManager, nullptr);
    EXPECT_EQ(gPrefabManager, nullptr);
    EXPECT_EQ(gGameTime, nullptr);
    EXPECT_EQ(gInputManager, nullptr);
    EXPECT_EQ(gSoundManager, nullptr);
    EXPECT_EQ(gMusicManager, nullptr);
    EXPECT_EQ(gCoroutineManager, nullptr);
    EXPECT_EQ(gGameConfig, nullptr);
    EXPECT_EQ(gAnimationManager, nullptr);
}

}  // namespace
