#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "EngineContentFixture.h"
#include "audio/CueCmp.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueManagerBhv.h"
#include "audio/CueOneShotBhv.h"
#include "audio/CueRandomizedBhv.h"
#include "audio/CueSound.h"
#include "platform/AudioTestSupport.h"

namespace {

using namespace std::chrono_literals;
using AudioTest::LevelA;
using AudioTest::LevelRun;
using AudioTest::Pieces;
using Clock = std::chrono::steady_clock;

// A tenth of a second at 44100 frames per second.
const std::vector<float> kBeep = Pieces({{LevelA, 4410}});

class CueTest : public EngineContentFixture {
protected:
    // Loads the content and starts a cue manager on the root.
    void Begin() {
        LoadContent();
        Manager = new CueManagerBhv();
        Root->AddComponent(Manager);
        Manager->Start();
    }

    size_t CueCount() const { return Root->Children.size(); }
    GameObject* LastCue() const { return Root->Children.empty() ? nullptr : Root->Children.back(); }

    template <class T>
    T* LastCueComponent(int n = 0) const {
        return LastCue() != nullptr ? LastCue()->GetComponentAt<T>(n) : nullptr;
    }

    CueManagerBhv* Manager = nullptr;
};

TEST_F(CueTest, EachPlayBuildsItsOwnCueObjectAndSound) {
    WriteSound("Sounds/Main/Pill.wav", kBeep);
    WritePrefab("Cue_PillSpawn", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Pill" } })");
    Begin();

    Manager->PlayCue("PillSpawn");
    Manager->PlayCue("PillSpawn");
    ASSERT_EQ(CueCount(), 2u);
    for (GameObject* cue : Root->Children) {
        EXPECT_EQ(cue->PrefabName, "Cue_PillSpawn");
        const CueOneShotBhv* oneShot = cue->GetComponent<CueOneShotBhv>();
        ASSERT_NE(oneShot, nullptr);
        EXPECT_TRUE(oneShot->Channel().IsPlaying());
    }
}

TEST_F(CueTest, CueWithoutPrefabPlaysNothing) {
    Begin();
    Manager->PlayCue("NoSuchCue");
    EXPECT_EQ(Manager->SpawnCue("NoSuchCue"), nullptr);
    EXPECT_EQ(CueCount(), 0u);
    EXPECT_FALSE(Prefabs->Prefabs.contains("Cue_NoSuchCue"));
}

TEST_F(CueTest, OneShotWhoseSoundIsMissingRemovesItsObjectInTheSamePass) {
    WritePrefab("Cue_Ghost", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "NotLoaded" } })");
    Begin();
    Manager->PlayCue("Ghost");
    EXPECT_TRUE(LastCue()->PendingDestroy);
    RunPass();
    EXPECT_EQ(CueCount(), 0u) << "every play of a broken cue would leave an object behind";
}

TEST_F(CueTest, CuePrefabThatCannotPlayIsRemovedWithoutCallingAnEmptyHook) {
    WriteSound("Sounds/Main/Pill.wav", kBeep);
    WritePrefab("Cue_NoMarker", R"({ "CueOneShotBhv": { "SoundName": "Pill" } })");
    WritePrefab("Cue_NoBehaviour", R"({ "CueCmp": "" })");
    Begin();
    Manager->PlayCue("NoMarker");
    Manager->PlayCue("NoBehaviour");
    EXPECT_FALSE(Root->Children.at(0)->GetComponent<CueOneShotBhv>()->Channel()) << "played without CueCmp";
    RunPass();
    EXPECT_EQ(CueCount(), 0u);
}

TEST_F(CueTest, OneShotDestroysItsObjectWhenTheSoundEnds) {
    WriteSound("Sounds/Main/Blip.wav", kBeep);
    WritePrefab("Cue_Blip", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Blip" } })");
    Begin();
    Manager->PlayCue("Blip");
    const AudioChannel channel = LastCueComponent<CueOneShotBhv>()->Channel();
    RunPass();
    EXPECT_EQ(CueCount(), 1u) << "removed while still sounding";
    EXPECT_TRUE(RunPassesUntil([&] { return CueCount() == 0; }));
    EXPECT_FALSE(channel.IsPlaying());
}

TEST_F(CueTest, PitchOfTwelveSemitonesDoublesTheChannelFrequency) {
    WriteSound("Sounds/Main/Shot.wav", kBeep);
    WritePrefab("Cue_Up",
                R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Shot", "Pitch": "12", "Volume": "0.5" } })");
    WritePrefab("Cue_Down", R"({ "CueCmp": "", "CueLoopedBhv": { "SoundName": "Shot", "Pitch": "-12" } })");
    WritePrefab("Cue_Plain", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Shot" } })");
    Begin();

    Manager->PlayCue("Up");
    EXPECT_EQ(LastCueComponent<CueOneShotBhv>()->Channel().Frequency(), 88200.0f);
    Manager->PlayCue("Down");
    EXPECT_EQ(LastCueComponent<CueLoopedBhv>()->Channel().Frequency(), 22050.0f);
    Manager->PlayCue("Plain");
    EXPECT_EQ(LastCueComponent<CueOneShotBhv>()->Channel().Frequency(), 44100.0f);
    EXPECT_FALSE(LastCueComponent<CueOneShotBhv>()->Channel().IsPaused());
}

TEST_F(CueTest, PitchVariationDrawsOneShiftWithinItsRange) {
    WriteSound("Sounds/Main/Shot.wav", kBeep);
    WritePrefab("Cue_Wobble", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Shot", "PitchVariation": "2" } })");
    Begin();
    for (int i = 0; i < 20; ++i) {
        RandomManager expected = *Random;
        const float shift = expected.UniformFloat(-2.0f, 2.0f);
        Manager->PlayCue("Wobble");
        const float frequency = LastCueComponent<CueOneShotBhv>()->Channel().Frequency();
        EXPECT_FLOAT_EQ(frequency, 44100.0f * PitchFactor(shift));
        EXPECT_GE(frequency, 44100.0f * std::pow(2.0f, -2.0f / 12.0f) * 0.9999f);
        EXPECT_LT(frequency, 44100.0f * std::pow(2.0f, 2.0f / 12.0f));
        EXPECT_TRUE(Random->Engine() == expected.Engine()) << "exactly one draw per play";
    }
}

TEST_F(CueTest, RandomizedCueWithOneMemberDrawsNoRandomNumber) {
    WriteSound("Sounds/Main/Shot.wav", kBeep);
    WritePrefab("Cue_Single", R"({ "CueCmp": "", "CueRandomizedBhv": "", "CueOneShotBhv": { "SoundName": "Shot" } })");
    Begin();
    const std::mt19937 before = Random->Engine();
    Manager->PlayCue("Single");
    EXPECT_TRUE(LastCueComponent<CueOneShotBhv>()->Channel().IsPlaying());
    EXPECT_TRUE(Random->Engine() == before);
}

// Which of a randomized cue's three one-shots played, by the order of its components.
int PlayedMember(const GameObject& cue) {
    for (int i = 0; i < 3; ++i) {
        if (cue.GetComponentAt<CueOneShotBhv>(i)->Channel()) {
            return i;
        }
    }
    return -1;
}

TEST_F(CueTest, RandomizedCuePlaysEachMemberAboutEquallyOftenWhateverTheComponentOrder) {
    WriteSound("Sounds/Main/A.wav", kBeep);
    WriteSound("Sounds/Main/B.wav", kBeep);
    WriteSound("Sounds/Main/C.wav", kBeep);
    const std::string members = R"("CueOneShotBhv": { "SoundName": "A", "Volume": "0" },
                                   "CueOneShotBhv": { "SoundName": "B", "Volume": "0" },
                                   "CueOneShotBhv": { "SoundName": "C", "Volume": "0" })";
    // The randomized behaviour takes the hook whether it starts before or after the one-shots.
    WritePrefab("Cue_First", R"({ "CueCmp": "", "CueRandomizedBhv": "", )" + members + " }");
    WritePrefab("Cue_Last", R"({ "CueCmp": "", )" + members + R"(, "CueRandomizedBhv": "" })");
    Begin();

    for (const char* cue : {"First", "Last"}) {
        int counts[3] = {0, 0, 0};
        for (int i = 0; i < 300; ++i) {
            Manager->PlayCue(cue);
            const int member = PlayedMember(*LastCue());
            ASSERT_GE(member, 0) << cue << ": nothing played";
            ++counts[member];
            EXPECT_FALSE(LastCue()->GetComponentAt<CueOneShotBhv>((member + 1) % 3)->Channel()) << "two played";
            RunPass(0.0f);  // keeps the channels from running out
            // On a slow machine the tenth of a second may be over, and the cue gone with it.
            if (GameObject* played = LastCue(); played != nullptr && !played->PendingDestroy) {
                played->DetachAndDestroy();
            }
            RunPass(0.0f);
        }
        for (int count : counts) {
            EXPECT_GT(count, 70) << cue;
            EXPECT_LT(count, 130) << cue;
        }
    }
}

TEST_F(CueTest, LoopedCueSoundsUntilItsParentIsDestroyedAndStopsInThatPassesDeletion) {
    WriteSound("Sounds/Main/Hum.wav", Pieces({{LevelA, 441}}));
    WritePrefab("Cue_Hum", R"({ "CueCmp": "", "CueLoopedBhv": { "SoundName": "Hum" } })");
    Begin();
    auto* holder = new GameObject();
    Root->AddChild(holder);
    GameObject* cue = Manager->SpawnCue("Hum");
    ASSERT_NE(cue, nullptr);
    holder->AddChild(cue);
    cue->GetComponent<CueCmp>()->PlayHook();
    const CueLoopedBhv* looped = cue->GetComponent<CueLoopedBhv>();
    ASSERT_TRUE(looped->IsStarted());
    const AudioChannel channel = looped->Channel();

    // Ten times the sound's length: it repeats.
    for (int i = 0; i < 20; ++i) {
        RunPass();
        SleepBriefly();
    }
    ASSERT_TRUE(channel.IsPlaying());
    ASSERT_EQ(holder->Children.size(), 1u);

    holder->Destroy();
    RunPass();
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_TRUE(Root->Children.empty());
}

TEST_F(CueTest, LoopedCueRemovedOnItsOwnStopsAndTakesItsObjectAlong) {
    WriteSound("Sounds/Main/Hum.wav", kBeep);
    WritePrefab("Cue_Hum", R"({ "CueCmp": "", "CueLoopedBhv": { "SoundName": "Hum" } })");
    Begin();
    Manager->PlayCue("Hum");
    CueLoopedBhv* looped = LastCueComponent<CueLoopedBhv>();
    const AudioChannel channel = looped->Channel();
    ASSERT_TRUE(channel.IsPlaying());

    QueueComponentForDeletion(looped);
    RunPass();
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_EQ(CueCount(), 1u) << "the object goes in the next flush";
    RunPass();
    EXPECT_EQ(CueCount(), 0u);
}

TEST_F(CueTest, CuesLeftInTheTreeAfterTheSoundSystemIsGoneAreDeletedHarmlessly) {
    WriteSound("Sounds/Main/Hum.wav", kBeep);
    WritePrefab("Cue_Hum", R"({ "CueCmp": "", "CueLoopedBhv": { "SoundName": "Hum" } })");
    WritePrefab("Cue_Beep", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Hum" } })");
    Begin();
    Manager->PlayCue("Hum");
    Manager->PlayCue("Beep");
    ASSERT_EQ(CueCount(), 2u);

    // As at exit: the sound manager goes before the object tree.
    gSoundManager = nullptr;
    Sounds.reset();
    Root.reset();
    EXPECT_TRUE(Queues.DestroyQueue.empty()) << "a dying cue asked to destroy a dying object";
}

TEST_F(CueTest, ReloadingTheBankEndsPlayingCuesAndNewPlaysUseTheNewSounds) {
    WriteSound("Sounds/Main/Hum.wav", kBeep);
    WritePrefab("Cue_Hum", R"({ "CueCmp": "", "CueLoopedBhv": { "SoundName": "Hum" } })");
    WritePrefab("Cue_Beep", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Hum" } })");
    Begin();
    Manager->PlayCue("Hum");
    Manager->PlayCue("Beep");

    Sounds->UnloadBank("Main");
    Sounds->LoadBank("Main");
    RunPass();
    EXPECT_EQ(CueCount(), 0u);
    Manager->PlayCue("Beep");
    EXPECT_TRUE(LastCueComponent<CueOneShotBhv>()->Channel().IsPlaying());
}

TEST_F(CueTest, PlayedCueIsHeardAfterItIsPlayedAndNotBefore) {
    const auto initAt = Clock::now();
    WriteSound("Sounds/Main/Beep.wav", kBeep);
    WritePrefab("Cue_Beep", R"({ "CueCmp": "", "CueOneShotBhv": { "SoundName": "Beep" } })");
    Begin();
    for (int i = 0; i < 50; ++i) {
        RunPass();
        SleepBriefly();
    }
    const auto playAt = Clock::now();
    Manager->PlayCue("Beep");
    ASSERT_TRUE(RunPassesUntil([&] { return CueCount() == 0; }));

    Sounds->System().Release();
    const AudioTest::Output output = AudioTest::ReadOutput();
    const size_t first = output.FirstSound();
    ASSERT_NE(first, std::string::npos) << "nothing was heard";
    // The writer may lag a mixing period or two behind real time.
    const double playedAfter = std::chrono::duration<double>(playAt - initAt).count();
    EXPECT_GE(first, output.FrameAt(playedAfter - 0.06));
    EXPECT_EQ(AudioTest::SoundingRuns(output), (std::vector<LevelRun>{{'A', 4410}}));
}

}  // namespace
