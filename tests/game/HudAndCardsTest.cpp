// The HUD inside the real gameplay screen, the unlock banner, the level title card and
// the new-best badge, from the committed prefabs in the main loop.

#include <gtest/gtest.h>

#include <string>

#include "PlayFixture.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/ui/NewBestIconBhv.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

const Color kOvertime{255, 136, 136, 255};
const Color kUndertime{136, 255, 136, 255};
const Color kWarning{255, 102, 102, 255};
const Color kOpaqueWhite{255, 255, 255, 255};

class HudAndCardsTest : public PlayFixture {
protected:
    GameObject* Hud(const std::string& path) const { return Find("GameplayScreen/Hud/" + path); }
    std::string HudText(const std::string& path) const { return Hud(path)->Text->Text; }
    bool HudShown(const std::string& path) const { return Hud(path)->DrawEnabled != 0; }
    Color HudTint(const std::string& path) const { return Hud(path)->Tint->Tint; }

    void Load(const char* levelName) {
        Screen().LoadLevel(gLevelList->FindLevel(levelName));
        RunPass();
    }
    // Title cards under the screen that are not on their way out.
    static std::vector<GameObject*> TitleCards() {
        std::vector<GameObject*> cards;
        for (GameObject* child : gGameplayScreen->Owner->Children) {
            if (child->PrefabName == "UiLevelTitle" && !child->PendingDestroy) {
                cards.push_back(child);
            }
        }
        return cards;
    }
};

TEST_F(HudAndCardsTest, TheTimeTurnsRedOnlyPastParAndTheBestTimeShowsOnceTheLevelIsCompleted) {
    StartInLevel();
    RunPass();
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    gLevelList->FindLevel("Lvl_01")->ParTime = 30.0f;  // a round par of the test's own
    RunPass();
    const Color normal = HudTint("TimeText");
    ASSERT_NE(normal, kOvertime);
    EXPECT_EQ(HudText("World"), "1");
    EXPECT_EQ(HudText("ParText"), "30.00");
    EXPECT_TRUE(HudShown("TimeLabel") && HudShown("TimeText") && HudShown("ParLabel") && HudShown("ParText"));
    EXPECT_FALSE(HudShown("BestLabel")) << "no best time yet";
    EXPECT_EQ(HudText("BestText"), "");
    EXPECT_FALSE(HudShown("AntsFreed"));
    EXPECT_FALSE(HudShown("HudWeapon")) << "the player starts unarmed";

    Screen().LevelTime = 30.0f;
    RunPass();
    EXPECT_EQ(HudText("TimeText"), "30.00");
    EXPECT_EQ(HudTint("TimeText"), normal);
    Screen().LevelTime = 30.01f;
    RunPass();
    EXPECT_EQ(HudText("TimeText"), "30.01");
    EXPECT_EQ(HudTint("TimeText"), kOvertime);

    // A best exactly at par beats it; one over par keeps the normal colour.
    gSavedData->LevelBestTimes["Lvl_01"] = 30.0f;
    RunPass();
    EXPECT_TRUE(HudShown("BestLabel"));
    EXPECT_EQ(HudText("BestText"), "30.00");
    EXPECT_EQ(HudTint("BestText"), kUndertime);
    gSavedData->LevelBestTimes["Lvl_01"] = 31.5f;
    RunPass();
    EXPECT_EQ(HudText("BestText"), "31.50");
    EXPECT_EQ(HudTint("BestText"), normal);
}

TEST_F(HudAndCardsTest, TheBonusModesShowTheirOwnLineAndALevelOutsideTheListShowsNoLevelLines) {
    StartInLevel();
    RunPass();
    Load("Lvl_Bonus2");
    EXPECT_TRUE(HudShown("AntsFreed"));
    EXPECT_EQ(HudText("AntsFreed"), "Score: 0    Goal: 1500");
    EXPECT_EQ(HudText("World"), "") << "outside the main progression";
    for (const char* line : {"TimeLabel", "TimeText", "ParLabel", "ParText", "BestLabel", "BestText"}) {
        EXPECT_FALSE(HudShown(line)) << line;
    }
    Screen().Score = 40;
    gSavedData->BestPacmanScore = 1600;
    RunPass();
    EXPECT_EQ(HudText("AntsFreed"), "Score: 40    Best: 1600");

    Load("Lvl_Survival");
    Screen().LevelTime = 7.25f;
    RunPass();
    EXPECT_EQ(HudText("AntsFreed"), "7.25") << "no best yet: the running time alone";
    gSavedData->BestSurvivalTime = 12.5f;
    RunPass();
    EXPECT_EQ(HudText("AntsFreed"), "7.25      Best: 12.50");

    Load("Lvl_Bonus1");
    EXPECT_EQ(HudText("AntsFreed"), "Ants Freed: 0    Goal: 600");

    // A play-tested level the list does not know: nothing of a level to show.
    gCurrentLevelName = "Lvl_NotInTheList";
    RunPass();
    EXPECT_EQ(HudText("World"), "");
    EXPECT_FALSE(HudShown("AntsFreed"));
    EXPECT_FALSE(HudShown("TimeText"));
}

TEST_F(HudAndCardsTest, EveryShotThatLeavesThreeOrFewerRestartsTheBlinkWithItsCue) {
    StartInLevel();
    RunPass();
    GameObject* offer = Spawn("Pkup_Pistol", gPlayer->Owner->GetPos());
    SetProperty(offer, "Pkup_WeaponBhv", "AmmoCount", "5");
    RunPasses(2);
    ASSERT_NE(gPlayer->WeaponObject, nullptr);
    EXPECT_TRUE(HudShown("HudWeapon"));
    EXPECT_EQ(HudText("HudWeapon/Quantity"), "5");
    EXPECT_EQ(Hud("HudWeapon/Icon")->Sprite->GetImageName(), "PistolIcon");
    const Color panel = HudTint("HudWeapon/Background");
    RunPasses(60);
    EXPECT_EQ(CueCount("LowAmmo"), 0);

    // One shot every 1.2 s: 4 left, then 3, 2 and 1, each with its cue and two blinks
    // of 2/3 s, warning colour first.
    for (int left = 4; left >= 1; --left) {
        Tap(Key::LeftMouse);
        RunPass();
        ASSERT_EQ(gPlayer->AmmoCount, left);
        EXPECT_EQ(HudText("HudWeapon/Quantity"), std::to_string(left));
        EXPECT_EQ(CueCount("LowAmmo"), left <= 3 ? 4 - left : 0);
        const Color warning = left <= 3 ? kWarning : panel;
        // Passes after the shot: 2, 22, 42, 62.
        RunPasses(2);
        for (const Color expected : {warning, panel, warning, panel}) {
            EXPECT_EQ(HudTint("HudWeapon/Background"), expected) << left << " left";
            RunPasses(20);
        }
        RunPasses(10);
    }
    // The blinks end in the normal colour, and steady ammunition plays nothing more.
    RunPasses(60);
    EXPECT_EQ(HudTint("HudWeapon/Background"), panel);
    EXPECT_EQ(CueCount("LowAmmo"), 3);

    // The last shot takes the weapon, and the panel with it.
    Tap(Key::LeftMouse);
    RunPass();
    EXPECT_FALSE(HudShown("HudWeapon"));
}

TEST_F(HudAndCardsTest, TheTitleCardShowsItsTimeThenFadesAndABonusCardShowsItsNameAtTheMirroredHeight) {
    StartInLevel();
    RunPass();
    ASSERT_EQ(TitleCards().size(), 1u);
    GameObject* card = TitleCards().front();
    EXPECT_EQ(card->Text->Text, "1: First Steps");
    const float mainHeight = card->GetPos().Y;
    EXPECT_LT(mainHeight, 360.0f);
    RunSeconds(0.95f);
    EXPECT_EQ(card->Tint->Tint, kOpaqueWhite);
    RunSeconds(0.5f);
    EXPECT_GT(card->Tint->Tint.A, 40);
    EXPECT_LT(card->Tint->Tint.A, 215);
    RunSeconds(0.6f);
    EXPECT_TRUE(TitleCards().empty());

    Load("Lvl_Bonus2");
    ASSERT_EQ(TitleCards().size(), 1u);
    EXPECT_EQ(TitleCards().front()->Text->Text, "Bonus 1");
    EXPECT_FLOAT_EQ(TitleCards().front()->GetPos().Y, 720.0f - mainHeight);
}

TEST_F(HudAndCardsTest, TwoBannersSlideInTogetherAndGoAfterFourAndAHalfSeconds) {
    StartInLevel();
    RunPass();
    gLevelList->ShowUnlockMessage("Bonus 1 is open");
    gLevelList->ShowUnlockMessage("New background");
    std::vector<GameObject*> banners = ObjectsOf("UiUnlockMessage");
    ASSERT_EQ(banners.size(), 2u);
    EXPECT_EQ(banners[0]->FindChild("Message")->Text->Text, "Bonus 1 is open");
    EXPECT_EQ(banners[1]->FindChild("Message")->Text->Text, "New background");
    const Vector2 rest = banners[0]->GetPos();
    RunPass();
    EXPECT_EQ(CueCount("Unlock"), 2);
    EXPECT_GT(banners[0]->GetPos().X, rest.X + 1000.0f) << "coming in from the right";
    EXPECT_EQ(banners[0]->GetPos().X, banners[1]->GetPos().X);
    RunSeconds(1.0f);
    EXPECT_EQ(banners[0]->GetPos().X, rest.X);
    RunSeconds(3.2f);
    EXPECT_LT(banners[1]->GetPos().X, rest.X) << "leaving to the left";
    RunSeconds(0.2f);
    EXPECT_EQ(ObjectsOf("UiUnlockMessage").size(), 2u);
    RunSeconds(0.15f);
    EXPECT_TRUE(ObjectsOf("UiUnlockMessage").empty());
}

TEST_F(HudAndCardsTest, TheNewBestBadgeStaysHiddenUntilShownThenLandsAtItsSizeAndPlaysItsCueOnce) {
    StartInLevel();
    RunPass();
    GameObject* badge = Spawn("NewBestIcon", Vector2(640, 360));
    const Vector2 size = badge->Sprite->Size;
    RunPasses(10);
    EXPECT_FALSE(badge->DrawEnabled);

    badge->GetComponent<NewBestIconBhv>()->Show();
    EXPECT_TRUE(badge->DrawEnabled);
    RunSeconds(0.5f);
    EXPECT_GT(badge->Sprite->Size.X, size.X * 1.2f);
    EXPECT_LT(badge->Sprite->Size.X, size.X * 1.8f);
    EXPECT_GT(badge->Tint->Tint.A, 60);
    EXPECT_LT(badge->Tint->Tint.A, 200);
    EXPECT_EQ(CueCount("NewBest"), 0);
    RunSeconds(0.55f);
    EXPECT_EQ(badge->Sprite->Size, size);
    EXPECT_EQ(badge->Tint->Tint, kOpaqueWhite);
    EXPECT_EQ(CueCount("NewBest"), 1);
    RunSeconds(1.0f);
    EXPECT_EQ(CueCount("NewBest"), 1);
}

}  // namespace
