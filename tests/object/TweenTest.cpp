#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UpdatePassFixture.h"
#include "object/ObjectShortcutTypes.h"
#include "object/TweenEasing.h"
#include "object/TweenProperty.h"
#include "object/TweensBhv.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TweenTest : public UpdatePassFixture {
protected:
    TweenTest() { Tweens = AddBehavior<TweensBhv>(); }

    // A callback that appends the text to the log.
    TweenCallback Logs(const std::string& text) {
        return [this, text] { Log.push_back(text); };
    }

    // Runs passes of 1/60 s until the tween completes; returns that pass, -1 after 200.
    // Before the end the value must follow t = Time / duration.
    int PassOfCompletion(float duration) {
        float value = 0.0f;
        bool complete = false;
        TweenSequence* sequence = Tweens->TweenFloatFromTo(
            &value, TweenEasing::Linear, 0.0f, 8.0f, [&complete] { complete = true; }, duration);
        while (Passes < 200) {
            RunPass();
            if (complete) {
                EXPECT_EQ(value, 8.0f);
                EXPECT_EQ(Tweens->GetSequenceCount(), 0);
                return Passes;
            }
            EXPECT_FLOAT_EQ(value, 8.0f * (sequence->GetTime() / duration));
            EXPECT_LT(value, 8.0f);
        }
        return -1;
    }

    TweensBhv* Tweens = nullptr;
    std::vector<std::string> Log;
};

TEST(TweenEasingTest, ValuesAtAQuarter) {
    EXPECT_FLOAT_EQ(EaseProgress(TweenEasing::Linear, 0.25f), 0.25f);
    EXPECT_FLOAT_EQ(EaseProgress(TweenEasing::EaseIn, 0.25f), 0.0625f);
    EXPECT_FLOAT_EQ(EaseProgress(TweenEasing::EaseOut, 0.25f), 0.4375f);
    EXPECT_FLOAT_EQ(EaseProgress(TweenEasing::EaseInOut, 0.25f), 0.15625f);
}

TEST(TweenEasingTest, EveryEasingRunsFromZeroToOneAndUnknownValuesEaseInOut) {
    for (int e = 0; e < 8; ++e) {
        const auto easing = static_cast<TweenEasing>(e);
        EXPECT_FLOAT_EQ(EaseProgress(easing, 0.0f), 0.0f) << "easing " << e;
        EXPECT_FLOAT_EQ(EaseProgress(easing, 1.0f), 1.0f) << "easing " << e;
    }
    EXPECT_EQ(EaseProgress(static_cast<TweenEasing>(7), 0.3f), EaseProgress(TweenEasing::EaseInOut, 0.3f));
    EXPECT_EQ(EaseProgress(static_cast<TweenEasing>(-1), 0.6f), EaseProgress(TweenEasing::EaseInOut, 0.6f));
}

TEST(TweenInterpolateTest, ColourChannelsAreTruncatedBytes) {
    const Color from(0, 255, 10, 0);
    const Color to(255, 0, 20, 255);
    EXPECT_EQ(TweenInterpolate(from, to, 0.5f), Color(127, 127, 15, 127));
    EXPECT_EQ(TweenInterpolate(from, to, 0.0f), from);
    EXPECT_EQ(TweenInterpolate(from, to, 1.0f), to);
    // Every byte value is reached exactly at either end.
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<uint8_t>(c);
        EXPECT_EQ(TweenInterpolate(Color(0, 0, 0, 0), Color(byte, byte, byte, byte), 1.0f),
                  Color(byte, byte, byte, byte));
    }
}

TEST(TweenInterpolateTest, VectorCoordinatesEaseAlike) {
    EXPECT_EQ(TweenInterpolate(Vector2(0.0f, 10.0f), Vector2(4.0f, -10.0f), 0.25f), Vector2(1.0f, 5.0f));
}

TEST_F(TweenTest, EasedValuesAtAQuarterOfTheTween) {
    const TweenEasing easings[] = {TweenEasing::Linear, TweenEasing::EaseIn, TweenEasing::EaseOut,
                                   TweenEasing::EaseInOut};
    float values[4] = {};
    for (int i = 0; i < 4; ++i) {
        Tweens->TweenFloatFromTo(&values[i], easings[i], 0.0f, 1.0f, nullptr, 1.0f);
    }
    RunPass(0.25f);
    EXPECT_FLOAT_EQ(values[0], 0.25f);
    EXPECT_FLOAT_EQ(values[1], 0.0625f);
    EXPECT_FLOAT_EQ(values[2], 0.4375f);
    EXPECT_FLOAT_EQ(values[3], 0.15625f);
}

TEST_F(TweenTest, HalfSecondTweenEndsExactlyOnPass30) {
    EXPECT_EQ(PassOfCompletion(0.5f), 30);
}

TEST_F(TweenTest, OneSecondTweenEndsOnPass61) {
    EXPECT_EQ(PassOfCompletion(1.0f), 61);
}

TEST_F(TweenTest, PassingIntoTheSecondStepCallsTheFirstStepsCallbackFirst) {
    float value = 0.0f;
    TweenSequence* sequence = Tweens->CreateSequence(Logs("complete"));
    sequence->AddStep(Logs("passed 1"), 0.2f)->AddFloatFromTo(&value, 0.0f, 1.0f, TweenEasing::Linear);
    TweenStep* second = sequence->AddStep(Logs("passed 2"), 0.3f);
    second->AddFloatFromTo(&value, 10.0f, 20.0f, TweenEasing::Linear);
    EXPECT_FLOAT_EQ(second->GetStartTime(), 0.2f);
    EXPECT_FLOAT_EQ(sequence->GetTotalDuration(), 0.5f);

    RunPass(0.25f);
    EXPECT_THAT(Log, ElementsAre("passed 1"));
    EXPECT_EQ(sequence->GetCurrentStep(), 1);
    const float t = (0.25f - 0.2f) / (0.5f - 0.2f);
    EXPECT_FLOAT_EQ(value, 10.0f + 10.0f * t);
    EXPECT_EQ(Tweens->GetSequenceCount(), 1);
}

TEST_F(TweenTest, JumpingPastTheEndCompletesThenPassesOnlyTheLastStep) {
    float value = 0.0f;
    TweenSequence* sequence = Tweens->CreateSequence(Logs("complete"));
    sequence->AddStep(Logs("passed 1"), 0.2f);
    sequence->AddStep(Logs("passed 2"), 0.3f)->AddFloatFromTo(&value, 10.0f, 20.0f, TweenEasing::Linear);
    RunPass(1.0f);
    EXPECT_THAT(Log, ElementsAre("complete", "passed 2"));
    EXPECT_EQ(value, 20.0f);
    EXPECT_EQ(Tweens->GetSequenceCount(), 0);
}

TEST_F(TweenTest, CompletionRunsBeforeTheLastStepsEndValueIsWritten) {
    float value = 0.0f;
    TweenSequence* sequence = Tweens->CreateSequence([&] { Log.push_back("complete at " + std::to_string(value)); });
    sequence->AddStep([&] { Log.push_back("passed at " + std::to_string(value)); }, 0.5f)
        ->AddFloatFromTo(&value, 0.0f, 4.0f, TweenEasing::Linear);
    RunPass(0.25f);
    RunPass(0.25f);
    EXPECT_THAT(Log, ElementsAre("complete at 2.000000", "passed at 2.000000"));
    EXPECT_EQ(value, 4.0f);
}

TEST_F(TweenTest, SkippedStepsArePassedInOrderWithoutWritingTheirValues) {
    float first = 0.0f;
    float skipped = 0.0f;
    float current = 0.0f;
    TweenSequence* sequence = Tweens->CreateSequence(Logs("complete"));
    sequence->AddStep(Logs("passed 1"), 0.1f)->AddFloatFromTo(&first, 0.0f, 1.0f, TweenEasing::Linear);
    sequence->AddStep(Logs("passed zero-length"), 0.0f);
    sequence->AddStep(Logs("passed 3"), 0.1f)->AddFloatFromTo(&skipped, 0.0f, 5.0f, TweenEasing::Linear);
    sequence->AddStep(Logs("passed 4"), 0.3f)->AddFloatFromTo(&current, 0.0f, 3.0f, TweenEasing::Linear);
    RunPass(0.25f);
    EXPECT_THAT(Log, ElementsAre("passed 1", "passed zero-length", "passed 3"));
    EXPECT_EQ(first, 0.0f);
    EXPECT_EQ(skipped, 0.0f);
    EXPECT_GT(current, 0.0f);
    EXPECT_EQ(sequence->GetCurrentStep(), 3);
}

TEST_F(TweenTest, EmptySequenceEndsAtOnceCallingOnlyItsCompletion) {
    Tweens->CreateSequence(Logs("complete"));
    RunPass();
    EXPECT_THAT(Log, ElementsAre("complete"));
    EXPECT_EQ(Tweens->GetSequenceCount(), 0);
    RunPass();
    EXPECT_THAT(Log, ElementsAre("complete"));
}

TEST_F(TweenTest, EmptySequenceWithoutCompletionIsJustRemoved) {
    Tweens->CreateSequence(nullptr);
    RunPass();
    EXPECT_EQ(Tweens->GetSequenceCount(), 0);
}

TEST_F(TweenTest, ColourAndVectorTweensStartFromTheCurrentValue) {
    Color tint(255, 255, 255, 0);
    Vector2 position(2.0f, 4.0f);
    Tweens->TweenColor(&tint, Color(255, 255, 255, 255), TweenEasing::Linear, nullptr, 1.0f);
    Tweens->TweenVector2(&position, TweenEasing::Linear, Vector2(4.0f, 0.0f), nullptr, 1.0f);
    position = Vector2(100.0f, 100.0f);  // the start was taken when the tween was made
    RunPass(0.5f);
    EXPECT_EQ(tint, Color(255, 255, 255, 127));
    EXPECT_EQ(position, Vector2(3.0f, 2.0f));
    RunPass(0.5f);
    EXPECT_EQ(tint, Color(255, 255, 255, 255));
    EXPECT_EQ(position, Vector2(4.0f, 0.0f));
}

TEST_F(TweenTest, ExplicitStartOperations) {
    Color tint;
    Vector2 position;
    float size = 0.0f;
    Tweens->TweenColorFromTo(&tint, TweenEasing::Linear, Color(0, 0, 0, 255), Color(0, 0, 0, 0), nullptr, 1.0f);
    Tweens->AddTweenStep(&position, TweenEasing::Linear, Vector2(10.0f, 0.0f), Vector2(20.0f, 0.0f), nullptr, 1.0f);
    Tweens->TweenFloatFromTo(&size, TweenEasing::Linear, 1.0f, 3.0f, nullptr, 1.0f);
    RunPass(0.5f);
    EXPECT_EQ(tint, Color(0, 0, 0, 127));
    EXPECT_EQ(position, Vector2(15.0f, 0.0f));
    EXPECT_EQ(size, 2.0f);
}

TEST_F(TweenTest, SequenceCreatedFirstWritesLastAndWins) {
    float value = 0.0f;
    Tweens->TweenFloat(&value, TweenEasing::Linear, 10.0f, nullptr, 1.0f);
    Tweens->TweenFloat(&value, TweenEasing::Linear, 20.0f, nullptr, 1.0f);
    RunPass(0.5f);
    EXPECT_EQ(value, 5.0f);
}

TEST_F(TweenTest, SequenceCreatedByACallbackFirstAdvancesInTheNextPass) {
    float value = 0.0f;
    TweenSequence* follower = nullptr;
    Tweens->TweenFloat(
        &value, TweenEasing::Linear, 1.0f,
        [&] { follower = Tweens->TweenFloatFromTo(&value, TweenEasing::Linear, 1.0f, 3.0f, nullptr, 1.0f); }, 0.5f);
    RunPass(0.5f);
    ASSERT_NE(follower, nullptr);
    EXPECT_EQ(follower->GetTime(), 0.0f);
    EXPECT_EQ(value, 1.0f);
    EXPECT_EQ(Tweens->GetSequenceCount(), 1);
    RunPass(0.5f);
    EXPECT_EQ(value, 2.0f);
}

TEST_F(TweenTest, NoProgressWhileUpdateIsDisabled) {
    float value = 0.0f;
    Tweens->TweenFloat(&value, TweenEasing::Linear, 1.0f, Logs("complete"), 0.5f);
    Root->UpdateEnabled = 0;
    RunPass(1.0f);
    EXPECT_EQ(value, 0.0f);
    EXPECT_THAT(Log, IsEmpty());
    Root->UpdateEnabled = 1;
    RunPass(0.25f);
    EXPECT_EQ(value, 0.5f);
}

TEST_F(TweenTest, DeletingTheBehaviourDropsRunningSequencesSilently) {
    float value = 0.0f;
    Tweens->TweenFloat(&value, TweenEasing::Linear, 1.0f, Logs("complete"), 0.5f);
    delete Tweens;
    RunPass(1.0f);
    EXPECT_THAT(Log, IsEmpty());
    EXPECT_EQ(value, 0.0f);
    EXPECT_TRUE(Root->Components.empty());
}

TEST_F(TweenTest, StoppingTheTweensOfAValueSilencesThemEvenFromInsideAPass) {
    Vector2 scale;
    float turn = 0.0f;
    float other = 0.0f;
    Tweens->TweenVector2(&scale, TweenEasing::Linear, Vector2(4.0f, 2.0f), Logs("scale done"), 0.5f);
    TweenSequence* both = Tweens->CreateSequence(Logs("both done"));
    both->AddStep(Logs("both passed"), 0.5f)->AddFloat(&turn, 8.0f, TweenEasing::Linear);
    both->AddStep(nullptr, 0.5f)->AddVector2(&scale, Vector2(9.0f, 9.0f), TweenEasing::Linear);
    // Stopped from a callback of the pass that would have ended the first of them.
    Tweens->TweenFloat(&other, TweenEasing::Linear, 1.0f, [&] { Tweens->StopTweensOf(&scale); }, 0.25f);
    RunPass(0.25f);
    EXPECT_EQ(other, 1.0f);
    const Vector2 scaleAtStop = scale;
    const float turnAtStop = turn;
    RunPass(1.0f);
    EXPECT_EQ(scale, scaleAtStop) << "a stopped sequence writes nothing more, not even its end value";
    EXPECT_EQ(turn, turnAtStop) << "a sequence that drives the value in a later step stops whole";
    EXPECT_THAT(Log, IsEmpty()) << "no completion or step callback";
    EXPECT_EQ(Tweens->GetSequenceCount(), 0);

    // Other values keep their tweens.
    Tweens->TweenFloat(&other, TweenEasing::Linear, 3.0f, Logs("other done"), 0.5f);
    Tweens->StopTweensOf(&scale);
    RunPass(0.5f);
    EXPECT_EQ(other, 3.0f);
    EXPECT_THAT(Log, ElementsAre("other done"));
}

TEST_F(TweenTest, TweensShortcutReachesTheBehaviour) {
    InstallObjectShortcutTypes();
    auto* object = new GameObject();
    Root->AddChild(object);
    auto* sibling = new Behavior();
    object->AddComponent(sibling);
    auto* tweens = new TweensBhv();
    object->AddComponent(tweens);
    EXPECT_EQ(object->Tweens, tweens);
    EXPECT_EQ(sibling->Tweens, tweens);
    delete tweens;
    EXPECT_EQ(object->Tweens, nullptr);
    EXPECT_EQ(sibling->Tweens, nullptr);
}

}  // namespace
