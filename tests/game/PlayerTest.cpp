// The player from its prefab in the main loop: movement, aiming, pick-ups, the exit
// and death by an enemy's touch.

#include <gtest/gtest.h>

#include <cmath>

#include "PlayFixture.h"
#include "app/Application.h"
#include "game/enemies/EnemyCmp.h"
#include "game/levels/SavedDataBhv.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/weapons/WeaponsListBhv.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "physics/B2FixtureCmp.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

constexpr float kTolerance = 1e-4f;

// A gravity-free beetle that kills on touch, with two fixtures side by side.
const char* const kBeetle = R"({
    "Components": {
        "TintCmp": { "Tint": { "A": "1", "Rgb": "ffffff" } },
        "B2BodyCmp": { "GravityScale": "0", "IsFixedRotation": "true", "Type": "2" },
        "B2FixtureCmp": { "Density": "1", "Shape": "Polygon 0 -0.5 0.6 -0.5 0.6 0.5 0 0.5" },
        "B2FixtureCmp": { "Density": "1", "Shape": "Polygon -0.6 -0.5 0 -0.5 0 0.5 -0.6 0.5" },
        "EnemyCmp": { "ContactDamage": "10", "HealthStart": "30" },
        "EnStandardDamageBhv": ""
    },
    "AutoCreate": ""
})";

class PlayerTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("TestBeetle", kBeetle);
        LoadContent();
    }
};

TEST_F(PlayerTest, MovementAcceleratesToTheCapAndCoastsDownAlongTheBodysDirection) {
    GameObject* player = SpawnPlayer(Vector2(0, 0));
    GameObject* prompt = player->FindChild("ReadyPrompt");
    ASSERT_NE(prompt, nullptr);

    // Opposite actions cancel: nothing moves and the round does not start.
    HeldKeys = {Key::A, Key::D};
    RunPasses(3);
    EXPECT_EQ(VelocityOf(player), Vector2(0, 0));
    EXPECT_FALSE(gPlayer->HasMoved);
    EXPECT_EQ(Screen().RoundActive, 0);
    EXPECT_TRUE(prompt->DrawEnabled);

    HeldKeys = {Key::D};
    for (float expected : {2.5f, 5.0f, 7.5f, 8.0f, 8.0f}) {
        RunPass();
        EXPECT_NEAR(VelocityOf(player).X, expected, kTolerance);
        EXPECT_EQ(VelocityOf(player).Y, 0.0f);
    }
    EXPECT_EQ(Screen().RoundActive, 1);
    EXPECT_EQ(Screen().TimerRunning, 1);
    EXPECT_FALSE(prompt->DrawEnabled || prompt->InputEnabled || prompt->UpdateEnabled);

    // Released: the body's own direction (as a collision left it) keeps, the speed falls.
    SetVelocity(player, Vector2(0, 8));
    HeldKeys.clear();
    for (float expected : {5.5f, 3.0f, 0.5f, 0.0f, 0.0f}) {
        RunPass();
        EXPECT_NEAR(VelocityOf(player).X, 0.0f, kTolerance);
        EXPECT_NEAR(VelocityOf(player).Y, expected, kTolerance);
    }

    // A diagonal moves along the unit diagonal, never faster than the speed.
    HeldKeys = {Key::W, Key::Left};
    for (int pass = 1; pass <= 6; ++pass) {
        RunPass();
        const Vector2 v = VelocityOf(player);
        const float expected = std::min(2.5f * pass, 8.0f);
        EXPECT_NEAR(std::hypot(v.X, v.Y), expected, kTolerance);
        EXPECT_NEAR(v.X, -v.Y, kTolerance);
    }

    // The replay action counts as a death, once.
    HeldKeys = {Key::R};
    RunPasses(3);
    EXPECT_TRUE(gPlayer->IsDead);
    EXPECT_EQ(CueCount("PlayerRespawn"), 1);
    EXPECT_EQ(VelocityOf(player), Vector2(0, 0)) << "the dead stand still";
}

TEST_F(PlayerTest, AimFollowsTheMouseAndThePlayerFacesIt) {
    GameObject* player = SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 5);
    GameObject* cursor = player->FindChild("AimCursor");
    ASSERT_NE(cursor, nullptr);
    gAimManager->EnterAimMode();

    // Absolute: the world camera shows 32 pixels per unit around the origin.
    Mouse = Vector2(640 + 4 * 32, 360 - 4 * 32);
    RunPass();
    EXPECT_NEAR(gAimManager->Aim.X, std::sqrt(0.5f), kTolerance);
    EXPECT_NEAR(gAimManager->Aim.Y, std::sqrt(0.5f), kTolerance);
    EXPECT_NEAR(player->GetRotation(), 0.785398f, kTolerance);
    EXPECT_TRUE(cursor->DrawEnabled) << "armed and aiming: the cursor shows";
    EXPECT_NEAR(cursor->GetPos().X, 2.0f * std::sqrt(0.5f), kTolerance);
    EXPECT_EQ(gGraphics->CursorName, "Aim");
    EXPECT_TRUE(gGraphics->IsCursorClipped());

    // Relative: movement from the centre of the window as it is now.
    HeldKeys = {Key::Semicolon};
    RunPass();
    HeldKeys.clear();
    ASSERT_TRUE(gAimManager->UseRelativeMode);
    gGraphics->Width = 800;
    gGraphics->Height = 600;
    Mouse = Vector2(400, 300);
    RunPass();
    EXPECT_NEAR(gAimManager->Aim.X, std::sqrt(0.5f), kTolerance) << "no movement, no turn";

    Mouse = Vector2(400 + 10, 300);  // a whole movement window to the right
    RunPass();
    EXPECT_NEAR(gAimManager->Aim.X, 1.0f, kTolerance);
    EXPECT_NEAR(gAimManager->Aim.Y, 0.0f, kTolerance);

    Mouse = Vector2(400, 300 - 5);  // half a window up the screen: half way to +y
    RunPass();
    EXPECT_NEAR(gAimManager->Aim.X, std::sqrt(0.5f), kTolerance);
    EXPECT_NEAR(gAimManager->Aim.Y, std::sqrt(0.5f), kTolerance);

    Mouse = Vector2(400 - 2, 300 - 40);  // far beyond the window: all the way
    RunPass();
    const float length = std::hypot(2.0f, 40.0f);
    EXPECT_NEAR(gAimManager->Aim.X, -2.0f / length, kTolerance);
    EXPECT_NEAR(gAimManager->Aim.Y, 40.0f / length, kTolerance);

    // Losing the window's focus suspends aiming; getting it back resumes.
    gGraphics->HasFocus = 0;
    RunPass();
    EXPECT_FALSE(gAimManager->AimMode);
    EXPECT_EQ(gGraphics->CursorName, "");
    gGraphics->HasFocus = 1;
    RunPass();
    EXPECT_TRUE(gAimManager->AimMode);

    gAimManager->LeaveAimMode();
    RunPass();
    EXPECT_EQ(gGraphics->CursorName, "");
    EXPECT_FALSE(gGraphics->IsCursorClipped());
    EXPECT_FALSE(cursor->DrawEnabled);
}

TEST_F(PlayerTest, SemicolonSwitchesTheAimingModeOnlyWhileTheEditorIsNotEditing) {
    SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 5);
    gAimManager->EnterAimMode();
    RunPass();
    EditorFlags editor;
    gEditorFlags = &editor;
    editor.IsEditing = 1;
    for (int press = 0; press < 3; ++press) {
        Tap(Key::Semicolon);
        RunPasses(2);
    }
    EXPECT_FALSE(gAimManager->UseRelativeMode) << "the designer's semicolons are text, not a mode switch";

    editor.IsEditing = 0;
    Tap(Key::Semicolon);
    RunPasses(2);
    EXPECT_TRUE(gAimManager->UseRelativeMode) << "one press in play switches";
    Tap(Key::Semicolon);
    RunPasses(2);
    EXPECT_FALSE(gAimManager->UseRelativeMode) << "and the next switches back";
    gEditorFlags = nullptr;
}

TEST_F(PlayerTest, PickUpsArmAddAndSwapWithTheOldCountOfferedBack) {
    GameObject* player = SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 20);
    ASSERT_NE(gPlayer->WeaponObject, nullptr) << "armed";
    EXPECT_EQ(gPlayer->WeaponObject->PrefabName, "Wpn_Pistol");
    EXPECT_EQ(gPlayer->WeaponObject->Parent, player);
    EXPECT_EQ(gPlayer->Weapon, WeaponType::Pistol);
    EXPECT_EQ(gPlayer->AmmoCount, 20);
    EXPECT_TRUE(ObjectsOf("Pkup_Pistol").empty());
    EXPECT_EQ(player->Sprite->GetImageName(), "Player_0001");

    GameObject* more = Spawn("Pkup_Pistol", Vector2(0, 0.5f));
    SetProperty(more, "Pkup_WeaponBhv", "AmmoCount", "5");
    RunPass();
    EXPECT_EQ(gPlayer->AmmoCount, 25) << "same type: the shots add up";
    EXPECT_TRUE(ObjectsOf("Pkup_Pistol").empty());

    GameObject* pistol = gPlayer->WeaponObject;
    GameObject* shotgun = Spawn("Pkup_Shotgun", Vector2(0.5f, 0));
    SetProperty(shotgun, "Pkup_WeaponBhv", "AmmoCount", "8");
    RunPass();
    ASSERT_NE(gPlayer->WeaponObject, nullptr);
    EXPECT_EQ(gPlayer->WeaponObject->PrefabName, "Wpn_Shotgun");
    EXPECT_EQ(gPlayer->Weapon, WeaponType::Shotgun);
    EXPECT_EQ(gPlayer->AmmoCount, 8);
    EXPECT_EQ(player->FindChild("Wpn_Pistol"), nullptr) << "the old weapon is gone";
    EXPECT_NE(pistol, gPlayer->WeaponObject);
    // The pick-up stays and offers the pistol with its 25 shots.
    ASSERT_EQ(ObjectsOf("Pkup_Shotgun").size(), 1u);
    const auto* offer = shotgun->GetComponent<Pkup_WeaponBhv>();
    EXPECT_EQ(offer->Weapon, WeaponType::Pistol);
    EXPECT_EQ(offer->AmmoCount, 25);
    EXPECT_EQ(shotgun->FindChild("Text")->Text->Text, "25");
    EXPECT_EQ(shotgun->Sprite->GetImageName(), "PistolIcon") << "shows the offered weapon";
    EXPECT_EQ(CueCount("PistolPickup"), 3);
}

TEST_F(PlayerTest, AnEnemysTouchKillsOnceAndTheDeadTakeNothing) {
    GameObject* player = SpawnPlayer(Vector2(0, 0));
    GameObject* beetle = Spawn("TestBeetle", Vector2(3, 0));
    SetVelocity(beetle, Vector2(-6, 0));
    RunPasses(30);
    EXPECT_TRUE(gPlayer->IsDead);
    EXPECT_EQ(CueCount("PlayerRespawn"), 1) << "killed once, however long the touch";
    EXPECT_FALSE(player->InputEnabled) << "the dead take no input";

    // The respawn blew the player into chunks, once.
    EXPECT_FALSE(player->DrawEnabled);
    EXPECT_EQ(ParticleCount("Pcl_PlayerChunk"), 16);
    gPlayer->Die();
    EXPECT_EQ(CueCount("PlayerDie"), 1);

    Spawn("Pkup_Shotgun", player->GetPos());
    RunPasses(2);
    EXPECT_EQ(gPlayer->WeaponObject, nullptr) << "a dead player collects nothing";
    EXPECT_EQ(ObjectsOf("Pkup_Shotgun").size(), 1u);
}

TEST_F(PlayerTest, TheExitTakesThePlayerInAndNoEnemyKillsItThere) {
    GameObject* player = SpawnPlayer(Vector2(0, 0));
    GameObject* exit = Spawn("Exit", Vector2(3, 0));
    exit->SetRotation(1.5707964f);
    HeldKeys = {Key::D};
    RunPasses(40);
    EXPECT_EQ(CueCount("ExitReached"), 1);
    EXPECT_TRUE(gPlayer->IsDead);
    EXPECT_NEAR(player->GetPos().X, 3.0f - 0.3f, kTolerance) << "settled at the exit, offset turned with it";
    EXPECT_NEAR(player->GetPos().Y, 0.0f, kTolerance);
    EXPECT_EQ(VelocityOf(player), Vector2(0, 0));
    EXPECT_TRUE(player->GetComponent<B2FixtureCmp>()->Fixture->IsSensor());

    GameObject* beetle = Spawn("TestBeetle", Vector2(6, 0));
    SetVelocity(beetle, Vector2(-6, 0));
    RunPasses(40);
    EXPECT_EQ(CueCount("PlayerRespawn"), 0);
    EXPECT_EQ(CueCount("ExitReached"), 1);
}

TEST_F(PlayerTest, InPillModeTheTouchEatsAnEnemyOnceForPoints) {
    Screen().PillMode = 1;
    gCurrentLevelName = "Lvl_Bonus2";
    Screen().ScoreChain = 3;
    SpawnPlayer(Vector2(0, 0));
    Spawn("TestBeetle", Vector2(0.4f, 0));
    RunPasses(2);
    EXPECT_TRUE(ObjectsOf("TestBeetle").empty());
    EXPECT_FALSE(gPlayer->IsDead);
    EXPECT_EQ(CueCount("PlayerRespawn"), 0);
    // Both fixtures touched in the same step; the beetle is eaten once.
    EXPECT_EQ(CueCount("EnemyDie"), 1);
    EXPECT_EQ(Screen().Score, 3);
    EXPECT_EQ(Screen().ScoreChain, 4);
    EXPECT_EQ(ParticleCount("Pcl_InsectChunk"), 10);
}

}  // namespace

namespace {

// A player without its aim cursor and ready prompt, for the guarded look-ups.
const char* const kBarePlayer = R"({
    "Components": {
        "B2BodyCmp": { "GravityScale": "0", "IsFixedRotation": "true", "Type": "2" },
        "B2FixtureCmp": { "Density": "1", "Shape": "Circle 0.6" },
        "PlayerBhv": { "SpeedMax": "8" }
    },
    "AutoCreate": ""
})";

class PlayerLookupTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("BarePlayer", kBarePlayer);
        LoadContent();
    }
};

TEST_F(PlayerLookupTest, MissingChildrenWeaponsAndListsSkipTheirStep) {
    GameObject* player = Spawn("BarePlayer", Vector2(0, 0));
    gAimManager->EnterAimMode();
    HeldKeys = {Key::D};
    RunPasses(2);
    EXPECT_NEAR(VelocityOf(player).X, 5.0f, 1e-4f) << "moves without a cursor or a prompt";

    // A type the weapons list does not describe cannot be taken: the offer stays.
    gWeaponsList->Weapons.erase(WeaponType::Shotgun);
    HeldKeys.clear();
    Spawn("Pkup_Shotgun", player->GetPos());
    RunPass();
    EXPECT_EQ(gPlayer->WeaponObject, nullptr);
    EXPECT_EQ(ObjectsOf("Pkup_Shotgun").size(), 1u);

    // Without a weapons list nothing is taken either.
    for (GameObject* child : gGameplayRoot->Children) {
        if (child->GetComponent<WeaponsListBhv>() != nullptr) {
            child->Destroy();
        }
    }
    RunPass();
    ASSERT_EQ(gWeaponsList, nullptr);
    Spawn("Pkup_Pistol", player->GetPos() + Vector2(0.3f, 0));
    RunPass();
    EXPECT_EQ(gPlayer->WeaponObject, nullptr);
    EXPECT_EQ(ObjectsOf("Pkup_Pistol").size(), 1u);
    EXPECT_EQ(CueCount("PistolPickup"), 0);
}

}  // namespace
