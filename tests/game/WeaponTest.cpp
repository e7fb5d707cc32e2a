// The pistol, the shotgun and their bullets from the real prefabs in the main loop:
// rate of fire, where shots start and how they fly, ammunition, and the damage they do.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "PlayFixture.h"
#include "game/enemies/EnemyCmp.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "render/SpriteCmp.h"

namespace {

constexpr float kTolerance = 1e-4f;

const char* const kBeetle = R"({
    "Components": {
        "B2BodyCmp": { "GravityScale": "0", "IsFixedRotation": "true", "Type": "2" },
        "B2FixtureCmp": { "Density": "50", "Shape": "Circle 0.5" },
        "EnemyCmp": { "ContactDamage": "10", "HealthStart": "30" },
        "EnStandardDamageBhv": ""
    },
    "AutoCreate": ""
})";

const char* const kWall = R"({
    "Components": {
        "B2BodyCmp": { "Type": "0" },
        "B2FixtureCmp": { "Shape": "Box 0.5 5" }
    },
    "AutoCreate": ""
})";

class WeaponTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("TestBeetle", kBeetle);
        WritePrefab("En_Ant", kBeetle);
        WritePrefab("TestWall", kWall);
        LoadContent();
    }

    // Aims from the origin toward the world point through the absolute mouse.
    void AimAt(Vector2 world) {
        gAimManager->EnterAimMode();
        Mouse = Vector2(640 + world.X * 32, 360 - world.Y * 32);
    }

    std::vector<GameObject*> Shots(const char* prefab) const { return ObjectsOf(prefab); }
};

TEST_F(WeaponTest, HeldFireShootsThePistolEveryRepeatIntervalUntilTheShotsRunOut) {
    GameObject* player = SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 3);
    GameObject* pistol = gPlayer->WeaponObject;
    ASSERT_NE(pistol, nullptr);
    SetProperty(pistol, "PistolBhv", "RepeatInterval", "0.5");
    AimAt(Vector2(3, 4));
    const float facing = std::atan2(4.0f, 3.0f);
    RunPass();  // the player turns
    ASSERT_NEAR(player->GetRotation(), facing, kTolerance);

    HeldKeys = {Key::LeftMouse};
    std::vector<int> firedOn;
    for (int pass = 1; pass <= 90; ++pass) {
        const int before = CueCount("PistolShot");
        const std::vector<GameObject*> old = Shots("PistolBullet");
        RunPass();
        if (CueCount("PistolShot") == before) {
            continue;
        }
        firedOn.push_back(pass);
        const std::vector<GameObject*> now = Shots("PistolBullet");
        ASSERT_EQ(now.size(), old.size() + 1);
        GameObject* bullet = now.back();
        // Placed at the muzzle turned by the facing, then moved by one physics step.
        const Vector2 velocity = VelocityOf(bullet);
        EXPECT_NEAR(velocity.X, std::cos(facing) * 30.0f, kTolerance);
        EXPECT_NEAR(velocity.Y, std::sin(facing) * 30.0f, kTolerance);
        const Vector2 muzzle = Vector2::Rotate(Vector2(1.0f, -0.25f), facing);
        EXPECT_NEAR(bullet->GetPos().X, muzzle.X + velocity.X * FrameDelta, 1e-3f);
        EXPECT_NEAR(bullet->GetPos().Y, muzzle.Y + velocity.Y * FrameDelta, 1e-3f);
        EXPECT_NEAR(bullet->GetRotation(), facing, kTolerance);
        EXPECT_EQ(gPlayer->AmmoCount, 3 - static_cast<int>(firedOn.size()));
    }
    EXPECT_EQ(firedOn, (std::vector<int>{1, 31, 61}));
    // The last shot took the weapon with it.
    EXPECT_EQ(gPlayer->WeaponObject, nullptr);
    EXPECT_EQ(player->FindChild("Wpn_Pistol"), nullptr);
    EXPECT_EQ(player->Sprite->GetImageName(), "Player_0000");
}

TEST_F(WeaponTest, TheEditorHoldsFireAndAimWhileItHasTheMouseOrTheKeyboard) {
    SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 5);
    AimAt(Vector2(3, 4));
    EditorFlags editor;
    gEditorFlags = &editor;
    HeldKeys = {Key::LeftMouse};
    for (uint8_t EditorFlags::*flag : {&EditorFlags::MouseOverPalette, &EditorFlags::KeyboardCaptured}) {
        editor.*flag = 1;
        RunPasses(3);
        EXPECT_EQ(CueCount("PistolShot"), 0);
        editor.*flag = 0;
    }
    RunPass();
    EXPECT_EQ(CueCount("PistolShot"), 1) << "fires again once the editor lets go";

    editor.IsEditing = 1;
    RunPass();
    EXPECT_FALSE(gAimManager->AimMode) << "editing suspends aiming";
    editor.IsEditing = 0;
    RunPass();
    EXPECT_TRUE(gAimManager->AimMode) << "and leaving edit mode resumes it";
    gEditorFlags = nullptr;
}

TEST_F(WeaponTest, OneShotgunBlastIsAFanOfPelletsForOneShotAndOneCue) {
    GameObject* player = SpawnPlayer(Vector2(0, 0), "Pkup_Shotgun", 4);
    ASSERT_NE(gPlayer->WeaponObject, nullptr);
    AimAt(Vector2(0, 5));
    RunPass();
    HeldKeys = {Key::LeftMouse};
    RunPass();
    HeldKeys.clear();
    RunPass();

    const std::vector<GameObject*> pellets = Shots("ShotgunPellet");
    ASSERT_EQ(pellets.size(), 10u);
    EXPECT_EQ(CueCount("ShotgunBlast"), 1);
    EXPECT_EQ(gPlayer->AmmoCount, 3);
    const float facing = player->GetRotation();
    float smallest = 10.0f;
    float largest = -10.0f;
    for (GameObject* pellet : pellets) {
        const Vector2 v = VelocityOf(pellet);
        const float angle = std::atan2(v.Y, v.X);
        const float speed = std::hypot(v.X, v.Y);
        // Spread 0.6 in all, speeds within 20% of 26.
        EXPECT_LE(std::fabs(angle - facing), 0.3f + kTolerance);
        EXPECT_GE(speed, 26.0f * 0.8f - kTolerance);
        EXPECT_LT(speed, 26.0f * 1.2f + kTolerance);
        EXPECT_NEAR(pellet->GetRotation(), angle, kTolerance);
        // A streak as long as 0.7 of one pass's travel; the height keeps the prefab's.
        EXPECT_NEAR(pellet->Sprite->Size.X, speed * FrameDelta * 0.7f, kTolerance);
        EXPECT_NEAR(pellet->Sprite->Size.Y, 0.35f, kTolerance);
        smallest = std::min(smallest, angle);
        largest = std::max(largest, angle);
    }
    EXPECT_GT(largest - smallest, 0.2f) << "the pellets fan out";
}

TEST_F(WeaponTest, ABulletIsGoneAfterItsTimeOrAtTheWallItHits) {
    SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 2);
    AimAt(Vector2(0, 5));
    RunPass();
    HeldKeys = {Key::LeftMouse};
    RunPass();
    HeldKeys.clear();
    ASSERT_EQ(Shots("PistolBullet").size(), 1u);
    RunPasses(177);
    EXPECT_EQ(Shots("PistolBullet").size(), 1u) << "still flying before its 3 s are up";
    RunPasses(3);
    EXPECT_TRUE(Shots("PistolBullet").empty());
    EXPECT_EQ(CueCount("BulletWallHit"), 0);

    // Into a wall: spent on the spot, with a sound and pebbles.
    Spawn("TestWall", Vector2(4, 0));
    AimAt(Vector2(5, 0));
    RunPass();
    HeldKeys = {Key::LeftMouse};
    RunPass();
    HeldKeys.clear();
    ASSERT_EQ(Shots("PistolBullet").size(), 1u);
    RunPasses(10);
    EXPECT_TRUE(Shots("PistolBullet").empty());
    EXPECT_EQ(CueCount("BulletWallHit"), 1);
    EXPECT_EQ(ParticleCount("Pcl_WallPebble"), 4);
    EXPECT_EQ(gPlayer->WeaponObject, nullptr) << "both shots spent";
}

// Per pass: the enemy's health and whether it was drawn.
struct EnemyTrace {
    std::vector<int> Health;
    std::vector<bool> Drawn;
};

TEST_F(WeaponTest, ThirtyHealthTakesTwoHurtingHitsThenDiesIntoChunks) {
    SpawnPlayer(Vector2(0, 0), "Pkup_Pistol", 10);
    SetProperty(gPlayer->WeaponObject, "PistolBhv", "RepeatInterval", "0.1");
    GameObject* beetle = Spawn("TestBeetle", Vector2(5, 0));
    const EnemyCmp* enemy = beetle->GetComponent<EnemyCmp>();
    AimAt(Vector2(5, 0));
    RunPass();

    // Two shots 6 or 7 passes apart (as the cooldown's float steps fall), the second
    // inside the first one's 9-pass blink.
    EnemyTrace trace;
    HeldKeys = {Key::LeftMouse};
    for (int pass = 0; pass < 40; ++pass) {
        if (CueCount("PistolShot") == 2) {
            HeldKeys.clear();
        }
        RunPass();
        trace.Health.push_back(enemy->Health);
        trace.Drawn.push_back(beetle->DrawEnabled != 0);
    }
    const auto firstHit = std::find(trace.Health.begin(), trace.Health.end(), 20) - trace.Health.begin();
    const auto secondHit = std::find(trace.Health.begin(), trace.Health.end(), 10) - trace.Health.begin();
    ASSERT_LT(secondHit, 40);
    EXPECT_GE(secondHit - firstHit, 6);
    EXPECT_LE(secondHit - firstHit, 7);
    EXPECT_EQ(CueCount("EnemyDamage"), 2);
    EXPECT_FALSE(trace.Drawn[firstHit]) << "blinks when hurt";
    // The second hit restarted the hurt time: still blinking after the first one's end.
    bool blinkedLate = false;
    for (auto pass = firstHit + 10; pass <= secondHit + 8; ++pass) {
        blinkedLate = blinkedLate || !trace.Drawn[pass];
    }
    EXPECT_TRUE(blinkedLate);
    for (auto pass = secondHit + 10; pass < 40; ++pass) {
        EXPECT_TRUE(trace.Drawn[pass]) << "shown again at the end, pass " << pass;
    }

    HeldKeys = {Key::LeftMouse};
    RunPasses(20);
    EXPECT_TRUE(ObjectsOf("TestBeetle").empty());
    EXPECT_EQ(CueCount("EnemyDie"), 1);
    EXPECT_EQ(ParticleCount("Pcl_InsectChunk"), 10);
    EXPECT_EQ(ParticleCount("Pcl_AntChunk"), 0);

    // An ant is shown in ant chunks; a killing record ends it at once.
    GameObject* ant = Spawn("En_Ant", Vector2(-5, 3));
    ant->GetComponent<EnemyCmp>()->OnDamage(nullptr);
    RunPass();
    EXPECT_TRUE(ObjectsOf("En_Ant").empty());
    EXPECT_EQ(ParticleCount("Pcl_AntChunk"), 8);
}

}  // namespace
