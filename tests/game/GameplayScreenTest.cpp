// The gameplay screen inside the real gameplay root, started as the game starts it and
// played through the harness: level loading, the timer, the level's end, respawn,
// level skipping, pause, the pill mode and the level groups.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "ToldWarnings.h"
#include "audio/MusicManager.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "physics/B2BodyCmp.h"
#include "render/Graphics.h"

namespace {

// A panel that only has to exist: the tests count it.
const char* const kEmptyPrefab = R"({"Components": "", "AutoCreate": ""})";

// A level thing of the given layer and mutability, no body.
std::string ThingPrefab(int layer, bool isMutable) {
    return std::string(R"({"Components": {"Pos2dCmp": "", "ThingCmp": {"IsMutable": ")") +
           (isMutable ? "true" : "false") + R"(", "Layer": ")" + std::to_string(layer) + R"("}}, "AutoCreate": ""})";
}

class GameplayScreenTest : public PlayFixture {
protected:
    static GameObject* Group(const char* name) {
        GameObject* level = gGameplayScreen->Owner->FindChild("Level");
        return level != nullptr ? level->FindChild(name) : nullptr;
    }
    // Direct children of the screen made from that prefab.
    static int ScreenChildren(const std::string& prefabName) {
        int count = 0;
        for (const GameObject* child : gGameplayScreen->Owner->Children) {
            count += child->PrefabName == prefabName ? 1 : 0;
        }
        return count;
    }
    static int RootChildren(const std::string& prefabName) {
        int count = 0;
        for (const GameObject* child : gGameplayRoot->Children) {
            count += child->PrefabName == prefabName && !child->PendingDestroy ? 1 : 0;
        }
        return count;
    }
    static bool Running(CoCommand (GameplayScreenBhv::*body)(int)) {
        return gGameplayScreen->FindOrCreateCoroutine(body)->Running;
    }
    // Passes until the player object of the level is another one; -1 after the limit.
    int PassesUntilTheLevelIsRebuilt(int limit) {
        const PlayerBhv* before = gPlayer;
        for (int pass = 1; pass <= limit; ++pass) {
            RunPass();
            if (gPlayer != before && gPlayer != nullptr) {
                return pass;
            }
        }
        return -1;
    }
};

TEST_F(GameplayScreenTest, TheGameStartsInTheFirstLevelWithItsThingsSortedIntoGroupsAndTheTimerWaits) {
    WritePrefab("UiLevelTitle", kEmptyPrefab);
    StartInLevel();
    ASSERT_NE(gGameplayScreen, nullptr);
    RunPass();
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "Background1");
    EXPECT_EQ(gMusicManager->CurrentTrack, "Psy1");
    EXPECT_EQ(ScreenChildren("UiLevelTitle"), 1);
    EXPECT_FALSE(Find("GameplayScreen/FadeLayer")->DrawEnabled);

    // Walls, lights and the exit are static layer 1, the rest mutable.
    ASSERT_NE(Group("Layer2Mut"), nullptr);
    EXPECT_TRUE(Group("Layer1Mut")->Children.empty());
    EXPECT_TRUE(Group("Layer2")->Children.empty());
    int walls = 0;
    int exits = 0;
    for (const GameObject* thing : Group("Layer1")->Children) {
        walls += thing->PrefabName == "Wall" ? 1 : 0;
        exits += thing->PrefabName == "Exit" ? 1 : 0;
    }
    EXPECT_GT(walls, 20);
    EXPECT_EQ(exits, 1);
    ASSERT_NE(gPlayer, nullptr);
    EXPECT_EQ(gPlayer->Owner->Parent, Group("Layer2Mut"));

    // Nothing moves and no time passes before the player's first move.
    const Vector2 start = gPlayer->Owner->GetPos();
    RunPasses(30);
    EXPECT_EQ(gGameplayScreen->LevelTime, 0.0f);
    EXPECT_EQ(gGameplayScreen->RoundActive, 0);
    EXPECT_EQ(gPlayer->Owner->GetPos(), start);

    HeldKeys = {Key::D};
    RunPasses(45);
    EXPECT_EQ(gGameplayScreen->RoundActive, 1);
    EXPECT_NEAR(gGameplayScreen->LevelTime, 45.0f / 60.0f, 1e-4f);
    EXPECT_GT(gPlayer->Owner->GetPos().X, start.X + 2.0f);
}

TEST_F(GameplayScreenTest, TouchingTheExitFreezesTheTimerAndShowsTheLevelCompletePanel) {
    WritePrefab("UiLevelCompletePopup", kEmptyPrefab);
    StartInLevel();
    RunPass();
    GameObject* exit = Find("GameplayScreen/Level/Layer1/Exit");
    ASSERT_NE(exit, nullptr);
    gPlayer->Owner->SetPos(exit->GetPos() + Vector2(-3.0f, 0.0f));
    HeldKeys = {Key::D};
    int pass = 0;
    while (CueCount("ExitReached") == 0 && pass++ < 120) {
        RunPass();
    }
    ASSERT_EQ(CueCount("ExitReached"), 1);
    EXPECT_TRUE(gPlayer->IsDead);
    EXPECT_EQ(RootChildren("UiLevelCompletePopup"), 1);
    EXPECT_FALSE(gGameplayScreen->Owner->InputEnabled);
    const float frozen = gGameplayScreen->LevelTime;
    EXPECT_GT(frozen, 0.0f);
    RunPasses(60);
    EXPECT_EQ(gGameplayScreen->LevelTime, frozen);
    EXPECT_EQ(CueCount("PlayerRespawn"), 0);
}

TEST_F(GameplayScreenTest, TheAimCursorGoesWhenThePlayerStopsTakingInput) {
    StartInLevel();
    RunPass();
    GameObject* cursor = gPlayer->Owner->FindChild("AimCursor");
    ASSERT_NE(cursor, nullptr);
    SpawnInLevel("Pkup_Pistol", gPlayer->Owner->GetPos());
    RunPasses(2);
    ASSERT_NE(gPlayer->WeaponObject, nullptr);
    ASSERT_TRUE(gAimManager->AimMode);
    EXPECT_TRUE(cursor->DrawEnabled) << "armed and aiming";

    // Paused, the level stands still under the popup without the cursor.
    Tap(Key::P);
    RunPasses(2);
    ASSERT_FALSE(gGameplayScreen->Owner->InputEnabled);
    EXPECT_FALSE(cursor->DrawEnabled);
    gGameplayScreen->SetPaused(false);
    RunPass();
    EXPECT_TRUE(cursor->DrawEnabled);

    // In the exit the level-complete panel slides in; the cursor does not stay beside it.
    GameObject* exit = Find("GameplayScreen/Level/Layer1/Exit");
    ASSERT_NE(exit, nullptr);
    gPlayer->Owner->SetPos(exit->GetPos() + Vector2(-3.0f, 0.0f));
    HeldKeys = {Key::D};
    ASSERT_GT(PassesUntil([&] { return CueCount("ExitReached") > 0; }, 120), 0);
    HeldKeys.clear();
    ASSERT_EQ(RootChildren("UiLevelCompletePopup"), 1);
    RunPass();
    EXPECT_FALSE(cursor->DrawEnabled);
    RunSeconds(1.0f);
    EXPECT_FALSE(cursor->DrawEnabled);
}

TEST_F(GameplayScreenTest, ADeathRespawnsTheLevelAfterTheExplosionAndHalfTheFadeKeepingMusicAndTitle) {
    WritePrefab("UiLevelTitle", kEmptyPrefab);
    StartInLevel();
    RunPass();
    const auto* music = gMusicManager->Sound.get();
    ASSERT_NE(music, nullptr);
    HeldKeys = {Key::W};
    RunPasses(20);
    HeldKeys = {Key::R};
    const size_t cuesBefore = Cues.size();
    RunPass();
    const std::vector<std::string> cues = CuesSince(cuesBefore);
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues[0], "PlayerDie");
    EXPECT_EQ(cues[1], "PlayerRespawn");
    EXPECT_EQ(gGameplayScreen->TimerRunning, 0);
    const float diedAt = gGameplayScreen->LevelTime;
    HeldKeys.clear();

    // ExplodeTime 1 s, then half of DieFadeTime 0.5 s: 75 passes.
    const int passes = PassesUntilTheLevelIsRebuilt(120);
    EXPECT_NEAR(passes, 75, 1);
    EXPECT_EQ(gGameplayScreen->LevelTime, 0.0f);
    EXPECT_GT(diedAt, 0.0f);
    EXPECT_EQ(gMusicManager->Sound.get(), music) << "the same track plays on";
    EXPECT_EQ(ScreenChildren("UiLevelTitle"), 1) << "no second title card";
    EXPECT_TRUE(Find("GameplayScreen/FadeLayer")->DrawEnabled) << "fading back in";
    EXPECT_EQ(Group("Layer2Mut")->Children.size(), 6u) << "the old things are gone";
    RunSeconds(0.3f);
    EXPECT_FALSE(Find("GameplayScreen/FadeLayer")->DrawEnabled);
    EXPECT_FALSE(Running(&GameplayScreenBhv::RespawnCoroutine));
}

TEST_F(GameplayScreenTest, PauseStopsTheLevelAndIsIgnoredWhileARespawnRuns) {
    WritePrefab("UiPausePopup", kEmptyPrefab);
    StartInLevel();
    RunPass();
    HeldKeys = {Key::D};
    RunPasses(10);
    Tap(Key::P);
    RunPass();
    EXPECT_FALSE(gGameplayScreen->Owner->InputEnabled);
    EXPECT_FALSE(gGameplayScreen->Owner->UpdateEnabled);
    EXPECT_EQ(RootChildren("UiPausePopup"), 1);
    const float pausedAt = gGameplayScreen->LevelTime;
    const Vector2 pos = gPlayer->Owner->GetPos();
    RunPasses(30);
    EXPECT_EQ(gGameplayScreen->LevelTime, pausedAt);
    EXPECT_EQ(gPlayer->Owner->GetPos(), pos) << "the player's body sleeps with the level";
    EXPECT_FALSE(gPlayer->Owner->B2Body->Body->IsEnabled());

    // The popup resumes; then a death, and a pause press during the respawn.
    gGameplayScreen->SetPaused(false);
    RunPass();
    EXPECT_GT(gGameplayScreen->LevelTime, pausedAt);
    HeldKeys = {Key::R};
    RunPass();
    HeldKeys.clear();
    ASSERT_TRUE(Running(&GameplayScreenBhv::RespawnCoroutine));
    Tap(Key::P);
    RunPass();
    EXPECT_TRUE(gGameplayScreen->Owner->UpdateEnabled);
    EXPECT_EQ(RootChildren("UiPausePopup"), 1);
}

TEST_F(GameplayScreenTest, PageDownAndPageUpChangeOnlyToOpenMainLevels) {
    StartInLevel();
    RunPass();
    const Vector2 scale = gGraphics->WorldCamera.Scale;
    for (const char* expected : {"Lvl_02", "Lvl_03", "Lvl_03"}) {
        Tap(Key::PageDown);
        RunSeconds(2.5f);
        EXPECT_EQ(gCurrentLevelName, expected) << "the boss after Lvl_03 is locked";
        EXPECT_FALSE(Running(&GameplayScreenBhv::ChangeLevelCoroutine));
    }
    EXPECT_EQ(CueCount("TransitionOff"), 2);
    EXPECT_EQ(CueCount("TransitionOn"), 2);
    EXPECT_EQ(gGraphics->WorldCamera.Scale, scale);
    EXPECT_EQ(gGraphics->WorldCamera.Rotation, 0.0f);

    Tap(Key::PageUp);
    RunPass();
    EXPECT_TRUE(Running(&GameplayScreenBhv::ChangeLevelCoroutine));
    EXPECT_GT(gGraphics->WorldCamera.Scale.X, scale.X) << "zooming out";
    RunSeconds(2.5f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");

    // No skipping from outside the main progression.
    gGameplayScreen->LoadLevel(gLevelList->FindLevel("Lvl_Yay"));
    Tap(Key::PageDown);
    RunSeconds(2.5f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_Yay");
}

TEST_F(GameplayScreenTest, PillModeLastsItsTimeRestartsOnANewPillAndEndsWithALevelLoad) {
    StartInLevel();
    RunPass();
    gGameplayScreen->ScoreChain = 5;
    gGameplayScreen->StartPillMode();
    EXPECT_EQ(gGameplayScreen->PillMode, 1);
    RunSeconds(4.0f);
    gGameplayScreen->StartPillMode();
    EXPECT_EQ(gGameplayScreen->ScoreChain, 5) << "a second pill keeps the chain";
    RunSeconds(8.0f - 2.0f / 60.0f);
    EXPECT_EQ(gGameplayScreen->PillMode, 1) << "the full time again from the second pill";
    RunPasses(3);
    EXPECT_EQ(gGameplayScreen->PillMode, 0);
    EXPECT_EQ(gGameplayScreen->ScoreChain, 1);

    gGameplayScreen->StartPillMode();
    RunSeconds(1.0f);
    gGameplayScreen->ReloadLevel();
    EXPECT_EQ(gGameplayScreen->PillMode, 0);
    EXPECT_FALSE(Running(&GameplayScreenBhv::PillModeCoroutine));
    RunPass();  // the old level's things go while the world still stands
}

TEST_F(GameplayScreenTest, ThingsGoToTheGroupOfTheirLayerAndMutabilityAndAntsAreCounted) {
    WritePrefab("Thing1", ThingPrefab(1, false));
    WritePrefab("Thing1Mut", ThingPrefab(1, true));
    WritePrefab("Thing2", ThingPrefab(2, false));
    WritePrefab("Thing3", ThingPrefab(3, false));
    WritePrefab("En_Ant", ThingPrefab(2, true));
    WritePrefab("En_AntSack", ThingPrefab(2, true));
    WritePrefab("NoThing", kEmptyPrefab);
    WritePrefab("Lvl_Test", R"({"Components": "", "AutoCreate": [
        {"Prefab": "Thing1"}, {"Prefab": "Thing1Mut"}, {"Prefab": "Thing2"}, {"Prefab": "Thing3"},
        {"Prefab": "NoThing"}, {"Prefab": "En_Ant"}, {"Prefab": "Thing1"}]})");
    StartInLevel();
    RunPass();
    gGameplayScreen->RemoveLevelObject(false);
    gGameplayScreen->BuildLevelObject(gPrefabManager->FindPrefab("Lvl_Test"));
    ASSERT_EQ(Group("Layer1")->Children.size(), 2u);
    EXPECT_EQ(Group("Layer1")->Children[0]->PrefabName, "Thing1");
    EXPECT_EQ(Group("Layer1Mut")->Children.at(0)->PrefabName, "Thing1Mut");
    EXPECT_EQ(Group("Layer2")->Children.at(0)->PrefabName, "Thing2");
    EXPECT_EQ(Group("Layer2Mut")->Children.size(), 1u) << "layer 3 has no group; no ThingCmp, no place";

    // Ants walking in the mutable layer 2, and those about to leave a bursting sack.
    for (int i = 0; i < 2; ++i) {
        gGameplayScreen->AddToLevel(new GameObject("En_Ant"));
    }
    gGameplayScreen->AddToLevel(new GameObject("En_AntSack"));
    EXPECT_EQ(gGameplayScreen->CountAnts(), 3) << "a sack that is not bursting counts none";

    // Kept mutable groups: the editor's play state.
    gGameplayScreen->RemoveLevelObject(true);
    EXPECT_TRUE(Group("Layer1")->Children.empty());
    EXPECT_EQ(Group("Layer2Mut")->Children.size(), 4u);

    // Spawned without a place in the level: deleted, body and all.
    auto* stray = new GameObject("NoThing");
    gGameplayScreen->AddToLevel(stray);
    EXPECT_TRUE(stray->PendingDestroy);
    RunPass();
}

TEST_F(GameplayScreenTest, UnknownLevelsAndAScreenWithoutLevelOrFadeLayerAreSkipped) {
    WritePrefab("GameplayScreen", R"({"Components": {"GameplayScreenBhv": "", "TweensBhv": ""}, "AutoCreate": ""})");
    StartInLevel();
    RunPass();
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    gCurrentLevelName = "Lvl_Nowhere";
    gGameplayScreen->ReloadLevel();
    gGameplayScreen->LoadLevel(nullptr);
    gGameplayScreen->LoadRelativeLevel(1);
    EXPECT_EQ(gGameplayScreen->CountAnts(), 0);
    auto* thing = new GameObject("Player");
    gGameplayScreen->AddToLevel(thing);
    EXPECT_TRUE(thing->PendingDestroy);
    gGameplayScreen->Replay();
    RunSeconds(2.0f);
    EXPECT_FALSE(Running(&GameplayScreenBhv::RespawnCoroutine)) << "respawned without fading";
    EXPECT_TRUE(gGameplayScreen->Owner->InputEnabled);
}

TEST_F(GameplayScreenTest, UnsavedEditsEndAnAttemptInTheEditorAndStopLevelSkipping) {
    StartInLevel();
    RunPass();
    int returns = 0;
    int historyResets = 0;
    gEditorLink.HasUnsavedEdits = [] { return true; };
    gEditorLink.ReturnToEditor = [&returns] { ++returns; };
    gEditorLink.ResetHistory = [&historyResets] { ++historyResets; };
    Tap(Key::PageDown);
    RunSeconds(2.5f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    gGameplayScreen->Replay();
    RunSeconds(1.5f);
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(historyResets, 0) << "the level was not reloaded";
    gEditorLink.HasUnsavedEdits = nullptr;
    gGameplayScreen->ReloadLevel();
    EXPECT_EQ(historyResets, 1);
    RunPass();
}

TEST_F(GameplayScreenTest, LevelsNamingPrefabsThatAreNotLoadedPlayWithoutThemTellingEachFileOnce) {
    // As after the designer renamed the exit's prefab and saved: every main level still
    // auto-creates "Exit". And one level of the list has lost its own prefab.
    std::filesystem::remove(Content->Path() / "Prefabs" / "Exit.json");
    std::filesystem::remove(Content->Path() / "Prefabs" / "Lvl_03.json");
    ToldWarnings told;
    const auto missing = [&told] { return told.Matching("is not loaded"); };
    StartInLevel();
    RunPass();
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    ASSERT_EQ(missing().size(), 1u);
    EXPECT_EQ(missing()[0], (Content->Path() / "Prefabs" / "Lvl_01.json").generic_string() +
                                    ": prefab 'Exit' is not loaded (auto-created by prefab 'Lvl_01'); the entry is "
                                    "skipped");
    // The rest of the level is there, and plays.
    EXPECT_EQ(Find("GameplayScreen/Level/Layer1/Exit"), nullptr);
    EXPECT_GT(Group("Layer1")->Children.size(), 20u);
    ASSERT_NE(gPlayer, nullptr);
    const Vector2 start = gPlayer->Owner->GetPos();
    HeldKeys = {Key::D};
    RunPasses(30);
    EXPECT_EQ(gGameplayScreen->RoundActive, 1);
    EXPECT_GT(gGameplayScreen->LevelTime, 0.0f);
    EXPECT_GT(gPlayer->Owner->GetPos().X, start.X + 1.0f);

    // A respawn builds the level again without telling it again.
    HeldKeys = {Key::R};
    RunPass();
    HeldKeys.clear();
    EXPECT_GT(PassesUntilTheLevelIsRebuilt(120), 0);
    EXPECT_EQ(missing().size(), 1u);

    // The next level names it in its own file: told once for that file.
    Tap(Key::PageDown);
    RunSeconds(2.5f);
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    ASSERT_NE(gPlayer, nullptr);
    ASSERT_EQ(missing().size(), 2u);
    EXPECT_NE(missing()[1].find("Lvl_02.json: prefab 'Exit' is not loaded"), std::string::npos) << missing()[1];

    // A level without its prefab stays locked, so PageDown keeps to the level shown.
    Tap(Key::PageDown);
    RunSeconds(2.5f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    // Asked for anyway (an end panel's "next"), it is an empty level, told once.
    for (int i = 0; i < 2; ++i) {
        gGameplayScreen->LoadLevel(gLevelList->FindLevel("Lvl_03"));
        RunPass();
        ASSERT_EQ(gCurrentLevelName, "Lvl_03");
        EXPECT_TRUE(Group("Layer1")->Children.empty());
    }
    ASSERT_EQ(missing().size(), 3u);
    EXPECT_NE(missing()[2].find("Lvl_03.json: prefab 'Lvl_03' is not loaded"), std::string::npos)
        << missing()[2];
}

}  // namespace
