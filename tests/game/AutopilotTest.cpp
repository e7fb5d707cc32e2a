// The autopilot plays every committed level through the real gameplay screen on the
// harness's fixed seed and must fall under par: the pars come from these runs plus a
// margin (tools/levels/level_maps.py), and stay honest as the levels change.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Autopilot.h"
#include "PlayFixture.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"

namespace {

const char* const kEmptyPrefab = R"({"Components": "", "AutoCreate": ""})";

class AutopilotRun : public PlayFixture, public ::testing::WithParamInterface<const char*> {
protected:
    // Seconds the autopilot took to the exit; negative when it died or ran out of time,
    // which is a second past the par.
    float Run(const std::string& name) {
        WritePrefab("UiLevelCompletePopup", kEmptyPrefab);
        gCurrentLevelName = name;
        StartInLevel();
        RunPass();
        EXPECT_EQ(gCurrentLevelName, name);
        const float limit = gLevelList->FindLevel(name)->ParTime + 1.0f;
        Autopilot pilot(*this);
        for (int pass = 0; pass < static_cast<int>(limit * 60.0f); ++pass) {
            pilot.Step();
            if (CueCount("PlayerRespawn") > 0) {
                std::printf("died at %.2f s\n", Screen().LevelTime);
                return -1.0f;
            }
            if (CueCount("ExitReached") > 0) {
                return Screen().LevelTime;
            }
        }
        std::printf("stuck at (%.1f, %.1f)\n", gPlayer->Owner->GetPos().X, gPlayer->Owner->GetPos().Y);
        return -2.0f;
    }
};

TEST_P(AutopilotRun, ReachesTheExitUnderPar) {
    const std::string name = GetParam();
    WritePrefab("UiLevelTitle", kEmptyPrefab);
    const float time = Run(name);
    const LevelDataCmp* level = gLevelList->FindLevel(name);
    ASSERT_NE(level, nullptr);
    std::printf("autopilot %s: %.2f s, par %.0f s\n", name.c_str(), time, level->ParTime);
    ASSERT_NE(time, -1.0f) << "the autopilot died";
    ASSERT_NE(time, -2.0f) << "the autopilot never got out";
    EXPECT_LE(time, level->ParTime);
    EXPECT_EQ(Screen().TimerRunning, 0);
}

struct BonusMode {
    const char* Level;
    const char* Panel;
};

class AutopilotBonus : public PlayFixture, public ::testing::WithParamInterface<BonusMode> {
protected:
    int Panels(const std::string& prefabName) const {
        int count = 0;
        for (const GameObject* child : gGameplayRoot->Children) {
            count += child->PrefabName == prefabName && !child->PendingDestroy ? 1 : 0;
        }
        return count;
    }
};

// Free the ants ends at the exit; the chase and survival rounds end when the player is
// caught, their spawners feeding in insects ever faster, or, once the chase has scored
// its goal, when the player gives up the round. The two modes with a goal are won on
// the harness's seed, and their end panels record it so that the level counts as done.
TEST_P(AutopilotBonus, PlaysToItsEndPanel) {
    const BonusMode mode = GetParam();
    const std::string name = mode.Level;
    const bool freeTheAnts = name == "Lvl_Bonus1";
    const bool chase = name == "Lvl_Bonus2";
    WritePrefab("UiLevelTitle", kEmptyPrefab);
    if (!freeTheAnts && !chase) {
        WritePrefab(mode.Panel, kEmptyPrefab);
    }
    gCurrentLevelName = name;
    StartInLevel();
    RunPass();
    ASSERT_EQ(gCurrentLevelName, name);
    const LevelDataCmp* level = gLevelList->FindLevel(name);
    ASSERT_NE(level, nullptr);
    EXPECT_FALSE(level->IsCompleted());
    Autopilot pilot(*this);
    int pass = 0;
    bool gaveUp = false;
    for (; pass < 180 * 60 && Panels(mode.Panel) == 0; ++pass) {
        if (chase && !gaveUp && Screen().Score >= gSavedData->PacmanTargetScore) {
            Tap(Key::R);
            gaveUp = true;
        }
        pilot.Step();
    }
    RunPasses(2);  // the panel takes its count in its first pass
    std::printf("autopilot %s: panel after %.2f s, %d ants freed (best %d), score %d (best %d)\n", mode.Level,
                static_cast<float>(pass) / 60.0f, Screen().CountAnts(), gSavedData->BestAntsFreed, Screen().Score,
                gSavedData->BestPacmanScore);
    ASSERT_EQ(Panels(mode.Panel), 1);
    if (freeTheAnts) {
        EXPECT_EQ(CueCount("ExitReached"), 1);
        EXPECT_EQ(CueCount("PlayerRespawn"), 0);
        EXPECT_GE(gSavedData->BestAntsFreed, gSavedData->AntsToFree);
        EXPECT_TRUE(level->IsCompleted());
    } else if (chase) {
        EXPECT_TRUE(gaveUp) << "the goal was never scored";
        EXPECT_EQ(Screen().RoundActive, 0) << "the round is over";
        EXPECT_GE(gSavedData->BestPacmanScore, gSavedData->PacmanTargetScore);
        EXPECT_TRUE(level->IsCompleted());
    } else {
        EXPECT_EQ(Screen().RoundActive, 0) << "the round is over";
        EXPECT_EQ(CueCount("PlayerRespawn"), 1) << "caught once, and that ends it";
        EXPECT_GT(Screen().LevelTime, 10.0f) << "the round was played, not thrown away";
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, AutopilotBonus,
                         ::testing::Values(BonusMode{"Lvl_Bonus1", "UiAntsFreedPopup"},
                                           BonusMode{"Lvl_Bonus2", "UiPacmanCompletePopup"},
                                           BonusMode{"Lvl_Survival", "UiSurvivalCompletePopup"}),
                         [](const auto& info) { return std::string(info.param.Level); });

INSTANTIATE_TEST_SUITE_P(Levels, AutopilotRun,
                         ::testing::Values("Lvl_01", "Lvl_02", "Lvl_03", "Lvl_04", "Lvl_05", "Lvl_06", "Lvl_07",
                                           "Lvl_08", "Lvl_09", "Lvl_10", "Lvl_11", "Lvl_12", "Lvl_13", "Lvl_14",
                                           "Lvl_15", "Lvl_16", "Lvl_17", "Lvl_18", "Lvl_19", "Lvl_20", "Lvl_21",
                                           "Lvl_22", "Lvl_23", "Lvl_Boss", "Lvl_Yay"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
