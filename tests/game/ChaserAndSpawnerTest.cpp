// Chasers, where spawners put things and the two spawners, from the real prefabs in
// the main loop: sight through static and moving bodies, seeking and fleeing, the
// pill-chase timings, the survival spawner's weights and the rates of 0.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "game/GameMath.h"
#include "game/enemies/En_ChaserBhv.h"
#include "game/enemies/En_PacmanSpawnerBhv.h"
#include "game/enemies/Spawning.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "physics/B2FixtureCmp.h"
#include "render/Graphics.h"

namespace {

constexpr float kPi = 3.14159265f;

// Something to count in the level: a thing of the moving group without a body.
const char* const kMarker = R"({"Components": {"Pos2dCmp": "", "ThingCmp": {"IsMutable": "true", "Layer": "2"}},
    "AutoCreate": ""})";

const char* const kStaticWall = R"({
    "Components": { "B2BodyCmp": { "Type": "0" }, "B2FixtureCmp": { "Shape": "Box 0.5 5" } },
    "AutoCreate": ""
})";

const char* const kCrate = R"({
    "Components": {
        "B2BodyCmp": { "GravityScale": "0", "Type": "2" },
        "B2FixtureCmp": { "Density": "1", "Shape": "Box 0.5 5" }
    },
    "AutoCreate": ""
})";

// A chaser that passes through everything, so it can stand where the player stands.
const char* const kGhostChaser = R"({
    "Components": {
        "B2BodyCmp": { "GravityScale": "0", "Type": "2" },
        "B2FixtureCmp": { "IsSensor": "true", "Shape": "Circle 0.5" },
        "En_ChaserBhv": ""
    },
    "AutoCreate": ""
})";

class ChaserAndSpawnerTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("TestWall", kStaticWall);
        WritePrefab("TestCrate", kCrate);
        WritePrefab("TestGhostChaser", kGhostChaser);
    }

    // The bare root, seen through the game's world camera.
    void Start() {
        LoadContent();
        gGraphics->WorldCamera = Camera2d::MakeWorld(1280, 720);
    }

    // A chaser that touches the player harmlessly, so that seeking ends in no death.
    GameObject* SpawnChaser(Vector2 pos) {
        GameObject* chaser = Spawn("En_Chaser", pos);
        SetProperty(chaser, "EnemyCmp", "ContactDamage", "0");
        return chaser;
    }

    static ::testing::AssertionResult VelocityIs(const GameObject* object, Vector2 expected) {
        const Vector2 v = VelocityOf(object);
        if (Length(v - expected) < 1e-3f) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "velocity (" << v.X << ", " << v.Y << "), expected (" << expected.X << ", " << expected.Y << ")";
    }

    static const std::vector<GameObject*>& Moving() {
        return gGameplayScreen->Owner->FindChild("Level")->FindChild("Layer2Mut")->Children;
    }
    static int InLevel(const std::string& prefabName) {
        int count = 0;
        for (const GameObject* thing : Moving()) {
            count += thing->PrefabName == prefabName && !thing->PendingDestroy ? 1 : 0;
        }
        return count;
    }
};

TEST_F(ChaserAndSpawnerTest, AChaserWithSightSeeksThePlayerAndFleesSlowerInPillMode) {
    Start();
    SpawnPlayer(Vector2(0, 0));
    GameObject* chaser = SpawnChaser(Vector2(0, 8));
    RunPasses(20);
    ASSERT_TRUE(chaser->GetComponent<En_ChaserBhv>()->HasLineOfSight());
    EXPECT_TRUE(VelocityIs(chaser, Vector2(0, 0))) << "nothing moves before the round";

    Screen().RoundActive = 1;
    RunPass();
    EXPECT_TRUE(VelocityIs(chaser, Vector2(0, -2)));
    EXPECT_NEAR(chaser->GetRotation(), -kPi / 2, 1e-4f);

    Screen().StartPillMode();
    RunPass();
    EXPECT_TRUE(VelocityIs(chaser, Vector2(0, 2 * 0.7f)));
    EXPECT_NEAR(chaser->GetRotation(), kPi / 2, 1e-4f) << "it faces away";

    // Off to the side the flight turns with it (it drifted up for one step first).
    chaser->SetPos(Vector2(-6, 0));
    RunPasses(16);
    const Vector2 away = UnitUnlessZero(chaser->GetPos() - gPlayer->Owner->GetPos());
    EXPECT_TRUE(VelocityIs(chaser, away * 1.4f));
    EXPECT_NEAR(chaser->GetRotation(), std::atan2(away.Y, away.X), 1e-4f);
    EXPECT_LT(away.X, -0.99f);
}

TEST_F(ChaserAndSpawnerTest, AStaticWallBlocksSightAndTheChaserDriftsOnWhileAMovingBodyDoesNot) {
    Start();
    SpawnPlayer(Vector2(0, 0));
    GameObject* wall = Spawn("TestWall", Vector2(4, 0));
    GameObject* chaser = SpawnChaser(Vector2(9, 0));
    Screen().RoundActive = 1;
    SetVelocity(chaser, Vector2(0, 0.5f));
    RunPasses(30);
    EXPECT_FALSE(chaser->GetComponent<En_ChaserBhv>()->HasLineOfSight());
    EXPECT_TRUE(VelocityIs(chaser, Vector2(0, 0.5f)));

    wall->Destroy();
    GameObject* crate = Spawn("TestCrate", Vector2(4, 0));
    RunPasses(16);  // the next sight test comes within LosUpdateInterval
    EXPECT_TRUE(chaser->GetComponent<En_ChaserBhv>()->HasLineOfSight());
    const Vector2 v = VelocityOf(chaser);
    EXPECT_NEAR(Length(v), 2.0f, 1e-3f);
    EXPECT_LT(v.X, -1.9f) << "toward the player, through the crate";
    EXPECT_NE(crate, nullptr);
}

TEST_F(ChaserAndSpawnerTest, AChaserOnThePlayersSpotSeesThePlayerWithoutCastingARay) {
    Start();
    SpawnPlayer(Vector2(2, 3));
    GameObject* ghost = Spawn("TestGhostChaser", Vector2(2, 3));
    Screen().RoundActive = 1;
    RunPasses(20);
    EXPECT_TRUE(ghost->GetComponent<En_ChaserBhv>()->HasLineOfSight());
    EXPECT_TRUE(VelocityIs(ghost, Vector2(0, 0)));
}

TEST_F(ChaserAndSpawnerTest, SpawnPositionsLieInTheViewAwayFromThePlayerAndAnImpossibleViewGivesUp) {
    Start();
    GameObject* player = SpawnPlayer(Vector2(3, 1));
    for (int i = 0; i < 300; ++i) {
        const std::optional<Vector2> p = PickSpawnPosition(2.0f, 5.0f);
        ASSERT_TRUE(p.has_value());
        EXPECT_GE(p->X, -18.0f);
        EXPECT_LT(p->X, 18.0f);
        EXPECT_GE(p->Y, -9.25f);
        EXPECT_LT(p->Y, 9.25f);
        EXPECT_GE(Length(*p - Vector2(3, 1)), 5.0f);
    }

    // Nothing straight ahead of a moving player (up and to the left here).
    SetVelocity(player, Vector2(-1, 1));
    const float heading = std::atan2(1.0f, -1.0f);
    for (int i = 0; i < 300; ++i) {
        const Vector2 fromPlayer = *PickSpawnPosition(2.0f, 5.0f) - Vector2(3, 1);
        EXPECT_GT(std::fabs(WrapAngle(std::atan2(fromPlayer.Y, fromPlayer.X) - heading)), kPi / 16);
    }

    // A view no wider than its margins, and one wholly near the player.
    gGraphics->WorldCamera.Scale = Vector2(4, 30);
    EXPECT_FALSE(PickSpawnPosition(2.0f, 0.0f).has_value());
    gGraphics->WorldCamera.Scale = Vector2(12, 12);
    gGraphics->WorldCamera.Position = Vector2(3, 1);
    EXPECT_FALSE(PickSpawnPosition(1.0f, 20.0f).has_value());
    EXPECT_TRUE(PickSpawnPosition(1.0f, 2.0f).has_value());
}

// Where something stands, by the shape of its fixture.
struct Footprint {
    const b2Shape* Shape;
    Vector2 Pos;
};

Footprint FootprintOf(const GameObject* object) {
    return {object->GetComponent<B2FixtureCmp>()->Fixture->GetShape(), object->GetPos()};
}

bool Overlap(const Footprint& a, const Footprint& b) {
    b2Transform at;
    at.Set(b2Vec2(a.Pos.X, a.Pos.Y), 0.0f);
    b2Transform bt;
    bt.Set(b2Vec2(b.Pos.X, b.Pos.Y), 0.0f);
    return b2TestOverlap(a.Shape, 0, b.Shape, 0, at, bt);
}

TEST_F(ChaserAndSpawnerTest, SpawnsKeepOutOfWallsAndOffOneAnother) {
    WritePrefab("TestSurvivalSpawner", R"({"Components": {"En_SurvivalSpawnerBhv": {
        "EnemyStartFreq": "4", "EnemyFreqIncrement": "0", "IncrementPeriod": "1000", "BorderMargin": "2",
        "PlayerAvoidRadius": "5", "PillStartFreq": "4", "PillFreqIncrement": "0",
        "EnChaserOdds": "1", "EnAntOdds": "0", "EnSackOdds": "0", "EnCentipedeOdds": "0",
        "PkupPillOdds": "1", "PkupGunOdds": "0"}}, "AutoCreate": ""})");
    Start();
    // The view is walled in 2 x 2 blocks but for three rooms of 4 x 4.
    const auto inRoom = [](float x, float y) {
        return (x > -16 && x < -12 && y > -2 && y < 2) || (x > 8 && x < 12 && y > 4 && y < 8) ||
               (x > 0 && x < 4 && y > -8 && y < -4);
    };
    std::vector<Footprint> walls;
    for (float x = -19; x < 20; x += 2) {
        for (float y = -11; y < 12; y += 2) {
            if (!inRoom(x, y)) {
                walls.push_back(FootprintOf(Spawn("Wall", Vector2(x, y))));
            }
        }
    }
    // The shapes of what is spawned, kept well outside the view.
    const b2Shape* pill = FootprintOf(Spawn("Pkup_Pill", Vector2(100, 100))).Shape;
    const b2Shape* chaser = FootprintOf(Spawn("En_Chaser", Vector2(100, 110))).Shape;
    RunPass();
    const auto inWall = [&walls](const Footprint& thing) {
        return std::any_of(walls.begin(), walls.end(),
                           [&thing](const Footprint& wall) { return Overlap(thing, wall); });
    };

    int placed = 0;
    int walled = 0;
    for (int i = 0; i < 300; ++i) {
        if (const std::optional<Vector2> p = PickSpawnPosition(2.0f, 5.0f)) {
            ++placed;
            walled += inWall({pill, *p}) ? 1 : 0;
        }
    }
    EXPECT_EQ(walled, 0) << "of " << placed << " places, pills would stand in walls";
    EXPECT_GT(placed, 100) << "the rooms are found";

    // The survival spawner's pills and clouds, and the chasers that the clouds make,
    // which stay where they come: the player is out of their sight beyond the walls.
    SpawnPlayer(Vector2(60, 0));
    Spawn("TestSurvivalSpawner", Vector2(0, 0));
    Screen().RoundActive = 1;
    int mostThings = 0;
    for (int pass = 0; pass < 8 * 60; ++pass) {
        RunPass();
        std::vector<Footprint> things;
        for (const GameObject* thing : Moving()) {
            if (thing->PendingDestroy) {
                continue;
            }
            if (thing->PrefabName == "En_ChaserSpawn") {
                things.push_back({chaser, thing->GetPos()});
            } else if (thing->PrefabName == "Pkup_Pill" || thing->PrefabName == "En_Chaser") {
                things.push_back(FootprintOf(thing));
            }
        }
        mostThings = std::max(mostThings, static_cast<int>(things.size()));
        for (size_t a = 0; a < things.size(); ++a) {
            ASSERT_FALSE(inWall(things[a]))
                << "pass " << pass << ": (" << things[a].Pos.X << ", " << things[a].Pos.Y << ")";
            for (size_t b = a + 1; b < things.size(); ++b) {
                ASSERT_FALSE(Overlap(things[a], things[b]))
                    << "pass " << pass << ": (" << things[a].Pos.X << ", " << things[a].Pos.Y << ") on ("
                    << things[b].Pos.X << ", " << things[b].Pos.Y << ")";
            }
        }
    }
    EXPECT_GE(mostThings, 6) << "the rooms fill up";
}

// A crowd wedges chasers into the gaps that walls and sacks leave. Each pass must solve
// such a contact once: solved again and again within the step, every time over every
// contact of the level, a big crowd brought the game to a crawl.
TEST_F(ChaserAndSpawnerTest, AChaserWedgedBetweenAWallAndASackHasItsContactsSolvedOncePerPass) {
    Start();
    // Out of sight behind the wall, so the chaser keeps still where it is wedged.
    SpawnPlayer(Vector2(-10, 0));
    GameObject* wall = Spawn("Wall", Vector2(0, 0));
    Spawn("En_AntSack", Vector2(2, 0));
    GameObject* chaser = SpawnChaser(Vector2(1.55f, 0));
    Screen().RoundActive = 1;
    int solves = 0;
    wall->GetComponent<B2FixtureCmp>()->OnPreSolve = [&solves, chaser](b2Contact*, b2Fixture* other) {
        const auto* fixture = reinterpret_cast<const B2FixtureCmp*>(other->GetUserData().pointer);
        solves += fixture != nullptr && fixture->Owner == chaser ? 1 : 0;
    };
    constexpr int kPasses = 30;
    RunPasses(kPasses);
    EXPECT_EQ(solves, kPasses);
    EXPECT_FALSE(chaser->GetComponent<En_ChaserBhv>()->HasLineOfSight());
    EXPECT_GT(chaser->GetPos().X, 1.0f) << "not pushed into the wall";
}

TEST_F(ChaserAndSpawnerTest, ThePillChaseSpawnerStartsWithTheRoundAndRaisesItsRatesEveryPeriod) {
    WritePrefab("En_ChaserSpawn", kMarker);
    WritePrefab("Pkup_Pill", kMarker);
    Start();
    SpawnPlayer(Vector2(0, 0));
    GameObject* spawner = Spawn("En_PacmanSpawner", Vector2(0, 0));
    const auto& rates = *spawner->GetComponent<En_PacmanSpawnerBhv>();
    RunSeconds(3.0f);
    EXPECT_EQ(Moving().size(), 0u) << "idle before the round";

    HeldKeys = {Key::D};
    RunPass();
    HeldKeys.clear();
    ASSERT_EQ(Screen().RoundActive, 1);
    int firstPill = -1;
    int firstChaser = -1;
    for (int pass = 1; pass <= 9 * 60; ++pass) {
        RunPass();
        if (firstPill < 0 && InLevel("Pkup_Pill") > 0)
            firstPill = pass;
        if (firstChaser < 0 && InLevel("En_ChaserSpawn") > 0)
            firstChaser = pass;
        if (pass == 4 * 60 + 2) {
            EXPECT_FLOAT_EQ(rates.GetEnemyFrequency(), 0.375f);
            EXPECT_FLOAT_EQ(rates.GetPillFrequency(), 0.2f);
        }
    }
    EXPECT_NEAR(firstPill, 2 * 60, 1);
    EXPECT_NEAR(firstChaser, 8 * 60, 1);
    EXPECT_EQ(CueCount("PillSpawn"), 1);
    EXPECT_FLOAT_EQ(rates.GetEnemyFrequency(), 0.625f);
    EXPECT_FLOAT_EQ(rates.GetPillFrequency(), 0.3f);
    // One at 8 s, the next 1 / 0.375 s later at the latest.
    EXPECT_EQ(InLevel("En_ChaserSpawn"), 1);
}

TEST_F(ChaserAndSpawnerTest, ARateOfZeroIsCheckedAgainEveryPeriodInsteadOfWaitingForEver) {
    WritePrefab("En_ChaserSpawn", kMarker);
    WritePrefab("Pkup_Pill", kMarker);
    WritePrefab("TestPacmanSpawner", R"({"Components": {"En_PacmanSpawnerBhv": {
        "EnemyStartFreq": "0", "EnemyFreqIncrement": "0.5", "IncrementPeriod": "1",
        "PillStartFreq": "0", "PillFreqIncrement": "0", "PillFirstInterval": "0.5"}}, "AutoCreate": ""})");
    Start();
    Spawn("TestPacmanSpawner", Vector2(0, 0));
    Screen().RoundActive = 1;
    RunSeconds(1.9f);
    EXPECT_EQ(InLevel("En_ChaserSpawn"), 0) << "nothing at a rate of 0";
    EXPECT_EQ(InLevel("Pkup_Pill"), 1) << "the first pill comes at its own time";
    // The rate is 0.5 from 1 s on; the next look at it starts a 2 s wait.
    RunSeconds(2.3f);
    EXPECT_EQ(InLevel("En_ChaserSpawn"), 1);
    EXPECT_EQ(InLevel("Pkup_Pill"), 1) << "a pill rate of 0 gives no more pills";
}

TEST_F(ChaserAndSpawnerTest, TheSurvivalSpawnerChoosesEnemiesAndPickUpsByTheirWeightsDuringTheRoundOnly) {
    for (const char* spawn :
         {"En_ChaserSpawn", "En_AntSpawn", "En_AntSackSpawn", "En_CentipedeShortSpawn", "Pkup_Pill"}) {
        WritePrefab(spawn, kMarker);
    }
    WritePrefab("TestSurvivalSpawner", R"({"Components": {"En_SurvivalSpawnerBhv": {
        "EnemyStartFreq": "20", "EnemyFreqIncrement": "0", "IncrementPeriod": "1000", "BorderMargin": "2",
        "PlayerAvoidRadius": "5", "PillStartFreq": "10", "PillFreqIncrement": "0",
        "EnChaserOdds": "1", "EnAntOdds": "3", "EnSackOdds": "0", "EnCentipedeOdds": "6",
        "PkupPillOdds": "3", "PkupGunOdds": "1", "PkupAmmo": "7"}}, "AutoCreate": ""})");
    Start();
    Spawn("TestSurvivalSpawner", Vector2(0, 0));
    RunSeconds(2.0f);
    EXPECT_EQ(Moving().size(), 0u) << "nothing before the round";

    Screen().RoundActive = 1;
    RunSeconds(40.0f);
    std::map<std::string, int> counts;
    for (const GameObject* thing : Moving()) {
        ++counts[thing->PrefabName];
    }
    const int enemies =
        counts["En_ChaserSpawn"] + counts["En_AntSpawn"] + counts["En_AntSackSpawn"] + counts["En_CentipedeShortSpawn"];
    EXPECT_NEAR(enemies, 800, 2);
    EXPECT_EQ(counts["En_AntSackSpawn"], 0);
    EXPECT_NEAR(counts["En_ChaserSpawn"] / double(enemies), 0.1, 0.03);
    EXPECT_NEAR(counts["En_AntSpawn"] / double(enemies), 0.3, 0.04);
    EXPECT_NEAR(counts["En_CentipedeShortSpawn"] / double(enemies), 0.6, 0.04);

    const int pickups = counts["Pkup_Pill"] + counts["Pkup_Shotgun"];
    EXPECT_NEAR(pickups, 400, 2);
    EXPECT_EQ(CueCount("PillSpawn"), pickups);
    EXPECT_NEAR(counts["Pkup_Pill"] / double(pickups), 0.75, 0.05);
    for (const GameObject* thing : Moving()) {
        if (thing->PrefabName == "Pkup_Shotgun") {
            ASSERT_EQ(thing->GetComponent<Pkup_WeaponBhv>()->GetAmmoCount(), 7);
        }
    }
}

}  // namespace
