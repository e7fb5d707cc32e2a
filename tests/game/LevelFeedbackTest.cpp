// What a level shows around the fight, from the real prefabs in the main loop: pick-ups
// with their turning borders and counts, the score of eaten enemies, spawn clouds, the
// ready prompt's pulse and the exit's light.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PhysicsTestSupport.h"
#include "PlayFixture.h"
#include "game/enemies/En_CentipedeCellBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTolerance = 1e-3f;

const char* const kTestSprite = R"({
    "Components": {
        "Pos2dCmp": { "Pos": { "X": "2", "Y": "1" } },
        "SpriteCmp": { "ImageName": "1PixelWhite", "Layer": "ForegroundLit", "Size": { "X": "2", "Y": "2" } },
        "TestSpriteBhv": ""
    },
    "AutoCreate": ""
})";

class LevelFeedbackTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("TestSprite", kTestSprite);
        LoadContent();
    }

    // Presses the left button for one pass at the world point (32 pixels a unit).
    void ClickAt(Vector2 world) {
        Mouse = Vector2(640 + world.X * 32, 360 - world.Y * 32);
        HeldKeys = {Key::LeftMouse};
        RunPass();
        HeldKeys.clear();
        RunPass();
    }

    static std::string TextOf(const GameObject* object, const char* child) {
        return object->FindChild(child)->Text->Text;
    }
};

TEST_F(LevelFeedbackTest, PickUpsTurnTheirBordersAndAWeaponShowsItsCount) {
    GameObject* pill = SpawnInLevel("Pkup_Pill", Vector2(-5, 0));
    GameObject* shotgun = SpawnInLevel("Pkup_Shotgun", Vector2(5, 0));
    ASSERT_NE(pill->FindChild("Border"), nullptr);
    EXPECT_EQ(pill->FindChild("Border")->Sprite->GetImageName(), "PillBorder");
    EXPECT_EQ(TextOf(shotgun, "Text"), "8") << "the prefab's count, shown from the start";
    EXPECT_EQ(shotgun->FindChild("Border")->Sprite->GetImageName(), "ShotgunBorder");
    EXPECT_EQ(shotgun->Sprite->GetImageName(), "ShotgunIcon");

    // The proxy shows a count set as a property at once; a direct write from the next update.
    SetProperty(shotgun, "Pkup_WeaponBhv", "AmmoCount", "7");
    EXPECT_EQ(TextOf(shotgun, "Text"), "7");
    EXPECT_EQ(PropertyText(*shotgun->GetComponent<Pkup_WeaponBhv>(), "AmmoCount"), "7");
    shotgun->GetComponent<Pkup_WeaponBhv>()->AmmoCount = 12;
    EXPECT_EQ(TextOf(shotgun, "Text"), "7");
    RunPass();
    EXPECT_EQ(TextOf(shotgun, "Text"), "12");

    // Half a turn a second: a quarter turn in 30 passes, less the pass already run.
    SetProperty(pill, "Pkup_PillBhv", "BorderRotateFreq", "-0.5");
    const float pillStart = pill->FindChild("Border")->GetRotation();
    const float shotgunStart = shotgun->FindChild("Border")->GetRotation();
    RunPasses(30);
    EXPECT_NEAR(pill->FindChild("Border")->GetRotation() - pillStart, -kPi / 2, kTolerance);
    EXPECT_NEAR(shotgun->FindChild("Border")->GetRotation() - shotgunStart, kPi / 2, kTolerance);
}

TEST_F(LevelFeedbackTest, EnemiesEatenInAPillChaseScoreOneTwoThreeInRisingFadingText) {
    gCurrentLevelName = "Lvl_Bonus2";
    Screen().PillMode = 1;
    GameObject* player = SpawnPlayer(Vector2(0, 0));
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        SpawnInLevel("En_Ant", player->GetPos() + Vector2(0.9f, 0));
        RunPasses(2);
        ASSERT_TRUE(ObjectsOf("En_Ant").empty()) << "eaten";
        const std::vector<GameObject*> scores = ObjectsOf("ScoreParticle");
        ASSERT_EQ(scores.size(), static_cast<size_t>(i + 1));
        shown.push_back(scores.back()->Text->Text);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"+1", "+2", "+3"}));
    EXPECT_EQ(Screen().Score, 6);
    EXPECT_FALSE(gPlayer->IsDead);

    // The last one rises Movement (0, 2) and fades over its Duration of 1 s, then goes.
    GameObject* last = ObjectsOf("ScoreParticle").back();
    EXPECT_EQ(last->Parent->Name, "Layer2Mut") << "beside the enemy it came from";
    const Vector2 start = last->GetPos();
    std::vector<float> rise;
    std::vector<int> alpha;
    const int gone = PassesUntil(
        [&] {
            if (!ObjectsOf("ScoreParticle").empty()) {
                rise.push_back(last->GetPos().Y - start.Y);
                alpha.push_back(last->Tint->Tint.A);
            }
            return ObjectsOf("ScoreParticle").empty();
        },
        90);
    EXPECT_NEAR(gone, 60, 2);
    ASSERT_GT(rise.size(), 30u);
    EXPECT_GT(rise[29], 1.0f) << "eased out: past half way at half time";
    EXPECT_GT(alpha[29], 0);
    EXPECT_LT(alpha[29], 255);
    // The last pass it is seen in is one before the tween's end.
    EXPECT_GT(rise.back(), 1.9f);
    EXPECT_LE(rise.back(), 2.0f + kTolerance);
    EXPECT_LE(alpha.back(), 5);
    EXPECT_TRUE(std::is_sorted(rise.begin(), rise.end()));

    // Outside the pill chase an eaten enemy scores nothing.
    gCurrentLevelName = "Lvl_Test";
    SpawnInLevel("En_Ant", player->GetPos() + Vector2(0.9f, 0));
    RunPasses(2);
    EXPECT_TRUE(ObjectsOf("En_Ant").empty());
    EXPECT_TRUE(ObjectsOf("ScoreParticle").empty());
    EXPECT_EQ(Screen().Score, 6);
}

TEST_F(LevelFeedbackTest, SpawnCloudsPuffAndBringTheirEnemyASecondLater) {
    GameObject* antCloud = SpawnInLevel("En_AntSpawn", Vector2(3, 4));
    SpawnInLevel("En_CentipedeShortSpawn", Vector2(-6, -2));
    GameObject* strayCloud = SpawnInLevel("En_AntSpawn", Vector2(0, 0));
    SetProperty(strayCloud, "SpawnCloudBhv", "PrefabToSpawn", "NoSuchEnemy");
    RunPass();
    const auto puffs = [this] { return ObjectsOf("Pcl_SpawnPuffCloud").size(); };
    EXPECT_GE(puffs(), 3u * 7u - 3u) << "seven puffs a cloud (emitted within a pass)";
    EXPECT_EQ(antCloud->Parent->Name, "Layer2Mut");
    // SpawnDelay 1 s after the puff, give or take the rounding of 1/60 s.
    const int spawnedAfter = 1 + PassesUntil([&] { return CueCount("EnemySpawn") > 0; }, 90);
    EXPECT_GE(spawnedAfter, 61);
    EXPECT_LE(spawnedAfter, 62);
    const std::vector<GameObject*> ants = ObjectsOf("En_Ant");
    ASSERT_EQ(ants.size(), 1u);
    EXPECT_EQ(ants[0]->GetPos(), Vector2(3, 4));
    EXPECT_EQ(ants[0]->Parent->Name, "Layer2Mut");
    EXPECT_EQ(CueCount("EnemySpawn"), 2) << "the stray cloud spawns nothing";
    EXPECT_TRUE(ObjectsOf("En_AntSpawn").empty());
    EXPECT_TRUE(ObjectsOf("En_CentipedeShortSpawn").empty());

    // The centipede was built again where the cloud stood: five segments back from it.
    const std::vector<GameObject*> centipedes = ObjectsOf("En_CentipedeShort");
    ASSERT_EQ(centipedes.size(), 1u);
    RunPass();
    ASSERT_EQ(centipedes[0]->Children.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const GameObject* segment = centipedes[0]->Children[4 - i];
        EXPECT_NEAR(segment->GetPos().X, -6.0f - static_cast<float>(i), kTolerance);
        EXPECT_NEAR(segment->GetPos().Y, -2.0f, kTolerance);
    }
}

TEST_F(LevelFeedbackTest, TheReadyPromptPulsesAndTheExitLightSwingsOncePerSecond) {
    GameObject* player = SpawnPlayer(Vector2(0, 0));
    GameObject* exit = SpawnInLevel("Exit", Vector2(8, 0));
    const GameObject* prompt = player->FindChild("ReadyPrompt");
    const GameObject* light = exit->FindChild("ExitLight");
    std::vector<float> sizes;
    std::vector<int> alphas;
    for (int pass = 0; pass < 120; ++pass) {
        RunPass();
        sizes.push_back(prompt->Sprite->Size.X);
        alphas.push_back(light->Tint->Tint.A);
    }
    // The prefab's 4 between 0.8 and 1.2 times, every 0.5 s (30 passes).
    EXPECT_NEAR(*std::min_element(sizes.begin(), sizes.end()), 3.2f, 0.01f);
    EXPECT_NEAR(*std::max_element(sizes.begin(), sizes.end()), 4.8f, 0.01f);
    // Alpha between trunc(0.3 * 255) and trunc(0.6 * 255), every second (60 passes).
    EXPECT_EQ(*std::min_element(alphas.begin(), alphas.end()), 76);
    EXPECT_EQ(*std::max_element(alphas.begin(), alphas.end()), 153);
    for (size_t i = 0; i + 60 < alphas.size(); ++i) {
        EXPECT_NEAR(alphas[i + 60], alphas[i], 1) << i;
        if (i + 30 < sizes.size()) {
            EXPECT_NEAR(sizes[i + 30], sizes[i], 0.01f) << i;
        }
    }
}

TEST_F(LevelFeedbackTest, TheTestSpriteBlipsWhenClickedAndOnlyThen) {
    Spawn("TestSprite", Vector2(2, 1));
    ClickAt(Vector2(4.5f, 1));
    EXPECT_EQ(CueCount("DebugBlip"), 0);
    ClickAt(Vector2(2.5f, 0.5f));
    EXPECT_EQ(CueCount("DebugBlip"), 1);
    HeldKeys = {Key::LeftMouse};
    RunPasses(5);
    EXPECT_EQ(CueCount("DebugBlip"), 2) << "a press, not a hold";
}

}  // namespace
