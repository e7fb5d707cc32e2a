#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "UpdatePassFixture.h"
#include "object/Behavior.h"
#include "object/Coroutine.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// One run of a body step: the pass it ran in (0 before the first pass) and its number.
struct StepRun {
    int Pass;
    int Step;
    bool operator==(const StepRun&) const = default;
};

void PrintTo(const StepRun& run, std::ostream* os) {
    *os << "{pass " << run.Pass << ", step " << run.Step << "}";
}

// A behaviour whose body returns the command scripted for each step (next tick when
// none) and records every step it runs.
class ScriptedBhv : public Behavior {
public:
    CoCommand Script(int step) {
        static const CoroutineBodyId id;
        if (step == CoroutineIdStep) {
            return id.Answer();
        }
        Runs.push_back({*Pass, step});
        Log(Label + " step " + std::to_string(step));
        const auto it = Commands.find(step);
        return it != Commands.end() ? it->second : CoNextTick();
    }

    // A second body, for id and ordering checks.
    CoCommand Other(int step) {
        static const CoroutineBodyId id;
        if (step == CoroutineIdStep) {
            return id.Answer();
        }
        return CoWaitFrames(1);
    }

    void Update() override { Log(Label + " update"); }

    Coroutine* ScriptCoroutine() { return FindOrCreateCoroutine(&ScriptedBhv::Script); }

    const int* Pass = nullptr;
    std::map<int, CoCommand> Commands;
    std::vector<StepRun> Runs;
    // Updates and steps of several behaviours in one sequence, when set.
    std::vector<std::string>* Events = nullptr;
    std::string Label;

private:
    void Log(const std::string& event) {
        if (Events != nullptr) {
            Events->push_back(event);
        }
    }
};

class CoroutineTest : public UpdatePassFixture {
protected:
    ScriptedBhv* AddScripted() {
        ScriptedBhv* behavior = AddBehavior<ScriptedBhv>();
        behavior->Pass = &Passes;
        return behavior;
    }

    // Starts a body that waits the given seconds at step 0 and returns the pass on
    // which step 1 runs, or -1 when it has not run after 200 passes.
    int PassOfResumeAfterWait(float seconds) {
        ScriptedBhv* behavior = AddScripted();
        behavior->Commands[0] = CoWaitSeconds(seconds);
        behavior->ScriptCoroutine()->Start();
        while (Passes < 200) {
            RunPass();
            if (behavior->Runs.size() > 1) {
                return behavior->Runs[1].Pass;
            }
        }
        return -1;
    }
};

TEST_F(CoroutineTest, StartRunsStepZeroAtOnce) {
    ScriptedBhv* behavior = AddScripted();
    Coroutine* co = behavior->ScriptCoroutine();
    EXPECT_FALSE(co->Running);
    co->Start();
    EXPECT_TRUE(co->Running);
    EXPECT_EQ(co->StepIndex, 1);
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}));
    RunPass();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{1, 1}));
}

// Single-precision countdown by 1/60 s per tick.
TEST_F(CoroutineTest, QuarterSecondWaitResumesOnTick16) {
    EXPECT_EQ(PassOfResumeAfterWait(0.25f), 16);
}
TEST_F(CoroutineTest, HalfSecondWaitResumesOnTick30) {
    EXPECT_EQ(PassOfResumeAfterWait(0.5f), 30);
}
TEST_F(CoroutineTest, OneSecondWaitResumesOnTick61) {
    EXPECT_EQ(PassOfResumeAfterWait(1.0f), 61);
}

TEST_F(CoroutineTest, OvershootOfOneWaitShortensTheNext) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoWaitSeconds(0.25f);  // resumes on pass 16, 1/60 s past due
    behavior->Commands[1] = CoWaitSeconds(0.02f);  // so only 0.0033 s is left of this one
    behavior->ScriptCoroutine()->Start();
    for (int i = 0; i < 20; ++i) {
        RunPass();
    }
    ASSERT_GE(behavior->Runs.size(), 3u);
    EXPECT_EQ(behavior->Runs[1], (StepRun{16, 1}));
    EXPECT_EQ(behavior->Runs[2], (StepRun{17, 2}));
}

TEST_F(CoroutineTest, FrameWaitsResumeAfterMaxOfCountAndOneTick) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoWaitFrames(3);
    behavior->Commands[1] = CoWaitFrames(0);
    // Step 2 returns plainly: the next tick as well.
    behavior->ScriptCoroutine()->Start();
    for (int i = 0; i < 5; ++i) {
        RunPass();
    }
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{3, 1}, StepRun{4, 2}, StepRun{5, 3}));
}

TEST_F(CoroutineTest, UnknownKindContinuesAtNextTick) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoCommand{42, 7, 3.0f};
    behavior->ScriptCoroutine()->Start();
    RunPass();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{1, 1}));
}

TEST_F(CoroutineTest, RestartFromLaterStepRunsStepZeroInSameResumption) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[1] = CoRestart();
    behavior->ScriptCoroutine()->Start();
    RunPass();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{1, 1}, StepRun{1, 0}));
    EXPECT_EQ(behavior->ScriptCoroutine()->StepIndex, 1);
}

TEST_F(CoroutineTest, RestartFromStepZeroIsAnErrorNamingTheBehaviour) {
    Root->Name = "Hero";
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoRestart();
    Coroutine* co = behavior->ScriptCoroutine();
    try {
        co->Start();
        FAIL() << "a body restarting its own step 0 must not be accepted";
    } catch (const CoroutineError& error) {
        EXPECT_THAT(error.what(), HasSubstr("ScriptedBhv"));
        EXPECT_THAT(error.what(), HasSubstr("'Hero'"));
        EXPECT_THAT(error.what(), HasSubstr("step 0"));
    }
    EXPECT_FALSE(co->Running);
}

TEST_F(CoroutineTest, GoToJumpsWithinTheResumption) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoGoTo(5);
    behavior->Commands[5] = CoWaitFrames(1);
    behavior->Commands[6] = CoGoTo(5);
    behavior->ScriptCoroutine()->Start();
    RunPass();
    RunPass();
    EXPECT_THAT(behavior->Runs,
                ElementsAre(StepRun{0, 0}, StepRun{0, 5}, StepRun{1, 6}, StepRun{1, 5}, StepRun{2, 6}, StepRun{2, 5}));
}

TEST_F(CoroutineTest, StopCommandEndsTheCoroutine) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[1] = CoStop();
    Coroutine* co = behavior->ScriptCoroutine();
    co->Start();
    for (int i = 0; i < 3; ++i) {
        RunPass();
    }
    EXPECT_FALSE(co->Running);
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{1, 1}));
}

TEST_F(CoroutineTest, StartingARunningCoroutineDoesNothingButStopThenStartRestarts) {
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[0] = CoWaitFrames(10);
    Coroutine* co = behavior->ScriptCoroutine();
    co->Start();
    RunPass();
    co->Start();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}));
    EXPECT_EQ(co->FramesLeft, 9);

    co->Stop();
    EXPECT_FALSE(co->Running);
    EXPECT_EQ(co->StepIndex, 1);  // counters stay until the next start
    RunPass();
    EXPECT_EQ(co->FramesLeft, 9);  // a stopped coroutine does not tick

    co->Start();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{2, 0}));
    EXPECT_EQ(co->FramesLeft, 10);  // reset, then the new wait
}

TEST_F(CoroutineTest, EndlessJumpingIsCappedWithAnErrorNamingTheBehaviour) {
    Root->Name = "Spawner";
    ScriptedBhv* behavior = AddScripted();
    behavior->Commands[1] = CoGoTo(2);
    behavior->Commands[2] = CoRestart();  // back to 0, which waits for nothing
    Coroutine* co = behavior->ScriptCoroutine();
    co->Start();
    behavior->Commands[0] = CoGoTo(1);  // from now on 0 -> 1 -> 2 -> 0 ... without a wait
    try {
        RunPass();
        FAIL() << "a coroutine that never waits must not hang the pass";
    } catch (const CoroutineError& error) {
        EXPECT_THAT(error.what(), HasSubstr("ScriptedBhv"));
        EXPECT_THAT(error.what(), HasSubstr("'Spawner'"));
        EXPECT_THAT(error.what(), HasSubstr("without waiting"));
    }
    EXPECT_FALSE(co->Running);
    // The first call plus the allowed re-runs, then the error.
    EXPECT_EQ(behavior->Runs.size(), 1u + 1u + Coroutine::MaxImmediateReruns);
}

// A loop that jumps back many times but does end in a wait stays within the cap.
class CountingLoopBhv : public Behavior {
public:
    CoCommand Loop(int step) {
        static const CoroutineBodyId id;
        if (step == CoroutineIdStep) {
            return id.Answer();
        }
        if (step == 0) {
            return ++Laps <= Coroutine::MaxImmediateReruns ? CoGoTo(0) : CoWaitFrames(1);
        }
        return CoStop();
    }
    int Laps = 0;
};

TEST_F(CoroutineTest, LongFiniteJumpLoopIsAllowed) {
    CountingLoopBhv* behavior = AddBehavior<CountingLoopBhv>();
    Coroutine* co = behavior->FindOrCreateCoroutine(&CountingLoopBhv::Loop);
    EXPECT_NO_THROW(co->Start());
    EXPECT_EQ(behavior->Laps, Coroutine::MaxImmediateReruns + 1);
    EXPECT_TRUE(co->Running);
}

TEST_F(CoroutineTest, OneCoroutinePerBodySharedIdsAcrossInstances) {
    ScriptedBhv* first = AddScripted();
    ScriptedBhv* second = AddScripted();
    Coroutine* script = first->ScriptCoroutine();
    EXPECT_EQ(first->ScriptCoroutine(), script);
    EXPECT_NE(second->ScriptCoroutine(), script);
    first->FindOrCreateCoroutine(&ScriptedBhv::Other);

    const int scriptId = first->Script(CoroutineIdStep).Value;
    const int otherId = first->Other(CoroutineIdStep).Value;
    EXPECT_GE(scriptId, 1);
    EXPECT_NE(scriptId, otherId);
    EXPECT_EQ(first->Coroutines.size(), 2u);
    EXPECT_EQ(first->Coroutines.at(scriptId), script);
    EXPECT_EQ(second->Coroutines.size(), 1u);
    EXPECT_EQ(second->Coroutines.at(scriptId), second->ScriptCoroutine());
    EXPECT_TRUE(first->Runs.empty());  // the id query runs no step
}

TEST_F(CoroutineTest, TicksRightAfterItsBehavioursUpdate) {
    std::vector<std::string> events;
    ScriptedBhv* first = AddScripted();
    ScriptedBhv* second = AddScripted();
    first->Label = "first";
    second->Label = "second";
    first->ScriptCoroutine()->Start();
    second->ScriptCoroutine()->Start();
    first->Events = &events;
    second->Events = &events;
    RunPass();
    EXPECT_THAT(events, ElementsAre("first update", "first step 1", "second update", "second step 1"));
}

TEST_F(CoroutineTest, NoTicksWhileUpdateIsDisabledButStartStillRunsStepZero) {
    auto* child = new GameObject();
    Root->AddChild(child);
    auto* behavior = new ScriptedBhv();
    behavior->Pass = &Passes;
    child->AddComponent(behavior);
    Root->UpdateEnabled = 0;
    behavior->ScriptCoroutine()->Start();
    for (int i = 0; i < 3; ++i) {
        RunPass();
    }
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}));
    Root->UpdateEnabled = 1;
    RunPass();
    EXPECT_THAT(behavior->Runs, ElementsAre(StepRun{0, 0}, StepRun{4, 1}));
}

// Starts its second body from the first one's step 1.
class ChainBhv : public Behavior {
public:
    CoCommand Leader(int step) {
        static const CoroutineBodyId id;
        if (step == CoroutineIdStep) {
            return id.Answer();
        }
        Log.push_back("leader " + std::to_string(step));
        if (step == 1) {
            FindOrCreateCoroutine(&ChainBhv::Follower)->Start();
        }
        return CoNextTick();
    }
    CoCommand Follower(int step) {
        static const CoroutineBodyId id;
        if (step == CoroutineIdStep) {
            return id.Answer();
        }
        Log.push_back("follower " + std::to_string(step));
        return CoNextTick();
    }
    std::vector<std::string> Log;
};

TEST_F(CoroutineTest, CoroutineStartedDuringTheTickWithHigherIdAdvancesInTheSameTick) {
    ChainBhv* behavior = AddBehavior<ChainBhv>();
    Coroutine* leader = behavior->FindOrCreateCoroutine(&ChainBhv::Leader);
    // The leader's id is drawn first, so the follower's is higher.
    ASSERT_LT(behavior->Leader(CoroutineIdStep).Value, behavior->Follower(CoroutineIdStep).Value);
    leader->Start();
    RunPass();
    EXPECT_THAT(behavior->Log, ElementsAre("leader 0", "leader 1", "follower 0", "follower 1"));
}

}  // namespace
