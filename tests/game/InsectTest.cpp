// Ants, ant sacks and the centipede from the real prefabs in the main loop: walking,
// bouncing, bursting into ants, the chain of segments, its splitting, and the boss
// level's exit revealed by the end of the last centipede.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "app/Application.h"
#include "game/enemies/En_AntSackBhv.h"
#include "game/enemies/En_CentipedeCellBhv.h"
#include "game/enemies/EnemyCmp.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/ThingCmp.h"
#include "physics/B2BodyCmp.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTolerance = 1e-3f;

const char* const kWall = R"({
    "Components": {
        "B2BodyCmp": { "Type": "0" },
        "B2FixtureCmp": { "Shape": "Box 0.5 6" }
    },
    "AutoCreate": ""
})";

class InsectTest : public PlayFixture {
protected:
    void SetUp() override {
        WritePrefab("TestWall", kWall);
        LoadContent();
    }

    // Shoots one bullet of the prefab from pos along velocity, as a weapon does.
    GameObject* Shoot(const std::string& prefab, Vector2 pos, Vector2 velocity) {
        GameObject* shot = Spawn(prefab, pos);
        shot->SetRotation(std::atan2(velocity.Y, velocity.X));
        SetVelocity(shot, velocity);
        return shot;
    }

    static void ExpectFacing(const GameObject* object, float angle) {
        EXPECT_NEAR(std::cos(object->GetRotation()), std::cos(angle), kTolerance);
        EXPECT_NEAR(std::sin(object->GetRotation()), std::sin(angle), kTolerance);
    }
};

// The segments of a centipede in chain order, the leader first.
std::vector<En_CentipedeCellBhv*> Chain(const GameObject* centipede) {
    std::vector<En_CentipedeCellBhv*> cells;
    for (auto it = centipede->Children.rbegin(); it != centipede->Children.rend(); ++it) {
        cells.push_back((*it)->GetComponent<En_CentipedeCellBhv>());
    }
    return cells;
}

void Kill(En_CentipedeCellBhv* cell) {
    cell->Owner->GetComponent<EnemyCmp>()->OnDamage(nullptr);
}

TEST_F(InsectTest, AnAntWalksOnlyInTheRoundAndBouncesStraightBackFromAWallButNotFromSensors) {
    // Created before and after the wall, so that the ant is each of the contact's two
    // fixtures and the normal points either way.
    for (bool wallFirst : {true, false}) {
        SCOPED_TRACE(wallFirst ? "wall first" : "ant first");
        Screen().RoundActive = 0;
        GameObject* wall = wallFirst ? Spawn("TestWall", Vector2(3, 10 * wallFirst)) : nullptr;
        GameObject* ant = SpawnInLevel("En_Ant", Vector2(0, 10 * wallFirst));
        if (wall == nullptr) {
            wall = Spawn("TestWall", Vector2(3, 0));
        }
        ASSERT_EQ(ant->Parent->Name, "Layer2Mut");
        RunPasses(20);
        EXPECT_EQ(ant->GetPos(), Vector2(0, 10 * wallFirst)) << "no walking before the round";

        Screen().RoundActive = 1;
        int turnedOn = -1;
        for (int pass = 0; pass < 60 && turnedOn < 0; ++pass) {
            RunPass();
            if (std::cos(ant->GetRotation()) < 0.0f) {
                turnedOn = pass;
            }
        }
        ASSERT_GE(turnedOn, 0) << "the ant never turned";
        // It walked 4 units per second up to the wall's face, 2.5 away less its half length.
        EXPECT_NEAR(turnedOn / 60.0f * 4.0f, 2.5f - 0.55f, 0.1f);
        ExpectFacing(ant, kPi);
        const Vector2 velocity = VelocityOf(ant);
        EXPECT_NEAR(velocity.X, -4.0f, kTolerance);
        EXPECT_NEAR(velocity.Y, 0.0f, kTolerance);
        RunPasses(30);
        EXPECT_LT(ant->GetPos().X, 1.0f) << "walking away";
        wall->Destroy();
        ant->Destroy();
        RunPass();
    }

    // Insects pass through each other; a sensor has no face to bounce off.
    GameObject* east = SpawnInLevel("En_Ant", Vector2(-2, 0));
    GameObject* west = SpawnInLevel("En_Ant", Vector2(2, 0), kPi);
    GameObject* sack = SpawnInLevel("En_AntSack", Vector2(0, 0));
    GameObject* throughPill = SpawnInLevel("En_Ant", Vector2(-2, -3));
    SpawnInLevel("Pkup_Pill", Vector2(0, -3));
    RunPasses(60);
    EXPECT_NEAR(east->GetPos().X, 2.0f, 0.1f);
    EXPECT_NEAR(west->GetPos().X, -2.0f, 0.1f);
    ExpectFacing(east, 0.0f);
    EXPECT_NEAR(throughPill->GetPos().X, 2.0f, 0.1f);
    ExpectFacing(throughPill, 0.0f);
    EXPECT_FALSE(sack->PendingDestroy);
    EXPECT_EQ(CueCount("AntSackRupture"), 0);
}

TEST_F(InsectTest, AShotSackBurstsOnceIntoARingOfAntsAndIsGoneAtTheEnd) {
    GameObject* sack = SpawnInLevel("En_AntSack", Vector2(5, 2));
    Shoot("PistolBullet", Vector2(1, 2), Vector2(30, 0));
    int burstOn = -1;
    for (int pass = 0; pass < 20 && burstOn < 0; ++pass) {
        RunPass();
        burstOn = CueCount("AntSackRupture") == 1 ? pass : -1;
    }
    ASSERT_GE(burstOn, 0) << "the shot never burst the sack";
    EXPECT_TRUE(ObjectsOf("PistolBullet").empty()) << "the bullet was spent on the sack";

    // A second shot while it bursts does nothing.
    Shoot("PistolBullet", Vector2(1, 2), Vector2(30, 0));
    RunPass();
    EXPECT_GT(sack->Sprite->Size.X, 0.05f);
    EXPECT_LT(sack->Sprite->Size.X, 2.4f) << "shrinking";
    // SackDestroyTime / 2 is 15 passes, give or take the rounding of 1/60 s.
    const int releasedAfter = 1 + PassesUntil([&] { return !ObjectsOf("En_Ant").empty(); }, 40);
    EXPECT_GE(releasedAfter, 15);
    EXPECT_LE(releasedAfter, 16);
    const std::vector<GameObject*> ants = ObjectsOf("En_Ant");
    ASSERT_EQ(ants.size(), 10u);
    for (size_t k = 0; k < ants.size(); ++k) {
        SCOPED_TRACE(k);
        const float angle = 2.0f * kPi * static_cast<float>(k) / 10.0f;
        ExpectFacing(ants[k], angle);
        EXPECT_EQ(ants[k]->Parent->Name, "Layer2Mut");
        // Pushed up to AntDistance / 2 in or out along its facing.
        const Vector2 offset = ants[k]->GetPos() - Vector2(5, 2);
        EXPECT_LE(std::hypot(offset.X, offset.Y), 0.5f + kTolerance);
        EXPECT_NEAR(offset.X * std::sin(angle) - offset.Y * std::cos(angle), 0.0f, kTolerance);
    }
    const int removedAfter = releasedAfter + PassesUntil([&] { return ObjectsOf("En_AntSack").empty(); }, 40);
    EXPECT_GE(removedAfter, 30);
    EXPECT_LE(removedAfter, 31);
    EXPECT_EQ(CueCount("AntSackRupture"), 1);
    EXPECT_EQ(ObjectsOf("En_Ant").size(), 10u);
}

TEST_F(InsectTest, ThePlayersTouchBurstsASackWhoseAntsCountAsFreedUntilTheyAreOut) {
    GameObject* sack = SpawnInLevel("En_AntSack", Vector2(1.2f, 0));
    SetProperty(sack, "En_AntSackBhv", "AntCount", "4");
    SetProperty(sack, "En_AntSackBhv", "AntDistance", "0");
    auto* bursting = sack->GetComponent<En_AntSackBhv>();
    EXPECT_EQ(bursting->AntsBeingFreed(), 0);
    SpawnPlayer(Vector2(0, 0));
    RunPass();
    EXPECT_EQ(CueCount("AntSackRupture"), 1);
    EXPECT_EQ(bursting->AntsBeingFreed(), 4);
    EXPECT_EQ(Screen().CountAnts(), 4) << "the screen counts the bursting sack's ants as freed";
    EXPECT_FALSE(gPlayer->IsDead) << "a sack does not kill";
    RunPasses(16);
    EXPECT_EQ(bursting->AntsBeingFreed(), 0) << "released";
    EXPECT_EQ(Screen().CountAnts(), 4) << "now as ants of the level";
    const std::vector<GameObject*> ants = ObjectsOf("En_Ant");
    ASSERT_EQ(ants.size(), 4u);
    for (size_t k = 0; k < ants.size(); ++k) {
        EXPECT_EQ(ants[k]->GetPos(), Vector2(1.2f, 0)) << "AntDistance 0: at the centre";
        ExpectFacing(ants[k], kPi * 0.5f * static_cast<float>(k));
    }
}

TEST_F(InsectTest, ACentipedeIsAChainOfSegmentsThatFollowTheirLeaderAtItsSpacing) {
    GameObject* centipede = SpawnInLevel("En_Centipede", Vector2(-4, 1));
    ASSERT_EQ(centipede->Children.size(), 10u);
    // The editor's change rebuilds it.
    SetProperty(centipede, "En_CentipedeBhv", "CellCount", "8");
    SetProperty(centipede, "En_CentipedeBhv", "DeflectInterval", "100");
    centipede->Thing->NotifyChanged();
    RunPass();
    ASSERT_EQ(centipede->Children.size(), 8u) << "the old segments are gone";
    std::vector<En_CentipedeCellBhv*> cells = Chain(centipede);
    for (size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(cells[i], nullptr);
        EXPECT_EQ(cells[i]->Ahead, i == 0 ? nullptr : cells[i - 1]);
        EXPECT_EQ(cells[i]->Behind, i + 1 == cells.size() ? nullptr : cells[i + 1]);
        EXPECT_NEAR(cells[i]->Owner->GetPos().X, -4.0f - static_cast<float>(i), kTolerance);
        EXPECT_EQ(cells[i]->Owner->GetPos().Y, 1.0f);
        EXPECT_EQ(cells[i]->Owner->Sprite->GetImageName(), i == 0 ? "CentipedeHead_0000" : "CentipedeBody_0000");
        // Spacing 1 over steps of 8/60: eight entries.
        EXPECT_EQ(cells[i]->History.size(), 8u);
        EXPECT_EQ(cells[i]->Owner->GetComponent<B2BodyCmp>()->Body->GetFixtureList()->GetFilterData().groupIndex, -2);
    }

    Screen().RoundActive = 1;
    RunPasses(30);
    EXPECT_NEAR(cells[0]->Owner->GetPos().X, 0.0f, 0.2f) << "the leader walks 8 units a second";
    // A pass of two fixed steps moves everyone two entries along, and no segment ever
    // steps back when those entries come round.
    std::vector<float> before;
    for (En_CentipedeCellBhv* cell : cells) {
        before.push_back(cell->Owner->GetPos().X);
    }
    Clock.AdvanceSteps(2);
    ASSERT_TRUE(App->RunPass());
    for (size_t i = 1; i < cells.size(); ++i) {
        EXPECT_NEAR(cells[i]->Owner->GetPos().X - before[i], 2.0f * 8.0f / 60.0f, kTolerance) << i;
    }
    for (int pass = 0; pass < 20; ++pass) {
        before.clear();
        for (En_CentipedeCellBhv* cell : cells) {
            before.push_back(cell->Owner->GetPos().X);
        }
        RunPass();
        for (size_t i = 1; i < cells.size(); ++i) {
            EXPECT_GT(cells[i]->Owner->GetPos().X, before[i]) << "segment " << i << ", pass " << pass;
            const float gap = cells[i - 1]->Owner->GetPos().X - cells[i]->Owner->GetPos().X;
            EXPECT_NEAR(gap, 1.0f, 8.0f / 60.0f) << "segment " << i << ", pass " << pass;
        }
    }
}

TEST_F(InsectTest, KillingASegmentSplitsTheChainAndALoneLeaderDies) {
    GameObject* centipede = SpawnInLevel("En_Centipede", Vector2(0, 0));
    SetProperty(centipede, "En_CentipedeBhv", "CellCount", "8");
    centipede->Thing->NotifyChanged();
    RunPass();
    std::vector<En_CentipedeCellBhv*> cells = Chain(centipede);
    Screen().RoundActive = 1;
    Kill(cells[3]);
    RunPass();
    EXPECT_EQ(centipede->Children.size(), 7u);
    EXPECT_EQ(cells[2]->Behind, nullptr);
    EXPECT_TRUE(cells[4]->IsLeader()) << "the segment behind the dead one leads";
    EXPECT_EQ(cells[4]->Owner->Sprite->GetImageName(), "CentipedeBody_0000");
    RunPass();
    EXPECT_EQ(cells[4]->Owner->Sprite->GetImageName(), "CentipedeHead_0000");
    const Vector2 newLeaderVelocity = VelocityOf(cells[4]->Owner);
    EXPECT_NEAR(newLeaderVelocity.X, 8.0f, kTolerance) << "and walks on by itself";

    // Killing the second segment leaves the first and the third alone: both die at
    // their next update.
    Kill(cells[1]);
    RunPass();
    EXPECT_EQ(cells[0]->Behind, nullptr);
    EXPECT_TRUE(cells[2]->IsLeader());
    EXPECT_EQ(cells[2]->Behind, nullptr);
    const int deaths = CueCount("EnemyDie");
    RunPass();
    EXPECT_EQ(CueCount("EnemyDie"), deaths + 2);
    RunPass();
    ASSERT_EQ(centipede->Children.size(), 4u);
    EXPECT_EQ(Chain(centipede).front(), cells[4]);
    EXPECT_EQ(cells[4]->Behind, cells[5]);
}

TEST_F(InsectTest, PelletsDoNotTurnTheLeaderButABulletDoes) {
    GameObject* centipede = SpawnInLevel("En_Centipede", Vector2(0, 0));
    SetProperty(centipede, "En_CentipedeBhv", "DeflectInterval", "100");
    En_CentipedeCellBhv* leader = Chain(centipede).front();
    leader->Owner->GetComponent<EnemyCmp>()->Health = 1000;
    RunPass();
    for (float y : {-0.2f, 0.0f, 0.2f}) {
        Shoot("ShotgunPellet", Vector2(3, y), Vector2(-26, 0));
    }
    RunPasses(10);
    EXPECT_EQ(leader->Owner->GetComponent<EnemyCmp>()->Health, 1000 - 30) << "all three pellets hit";
    Screen().RoundActive = 1;
    RunPass();
    ExpectFacing(leader->Owner, 0.0f);

    Screen().RoundActive = 0;
    RunPass();
    Shoot("PistolBullet", leader->Owner->GetPos() + Vector2(3, 0), Vector2(-30, 0));
    RunPasses(10);
    EXPECT_EQ(leader->Owner->GetComponent<EnemyCmp>()->Health, 1000 - 40);
    Screen().RoundActive = 1;
    RunPass();
    ExpectFacing(leader->Owner, kPi);
}

TEST_F(InsectTest, AStillCentipedeKeepsItsSpacingAndAStraySegmentAndABossLevelWithoutItsExitAreHarmless) {
    gCurrentLevelName = "Lvl_Boss";
    GameObject* centipede = SpawnInLevel("En_Centipede", Vector2(0, 0));
    SetProperty(centipede, "En_CentipedeBhv", "CellCount", "3");
    SetProperty(centipede, "En_CentipedeBhv", "Speed", "0");
    SetProperty(centipede, "En_CentipedeBhv", "DeflectInterval", "0.25");
    centipede->Thing->NotifyChanged();
    GameObject* stray = Spawn("En_CentipedeCell", Vector2(5, 5));
    RunPass();
    const std::vector<En_CentipedeCellBhv*> cells = Chain(centipede);
    ASSERT_EQ(cells.size(), 3u);
    Screen().RoundActive = 1;
    // Two seconds of a round, the leader swerving on the spot every quarter second.
    RunPasses(120);
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i]->Owner->GetPos(), Vector2(-static_cast<float>(i), 0)) << "segment " << i;
        EXPECT_EQ(VelocityOf(cells[i]->Owner), Vector2(0, 0)) << "segment " << i;
    }
    EXPECT_GT(std::fabs(cells[0]->Owner->GetRotation()), 1e-3f) << "the leader did swerve";
    EXPECT_EQ(stray->GetPos(), Vector2(5, 5));
    EXPECT_EQ(VelocityOf(stray), Vector2(0, 0));

    for (En_CentipedeCellBhv* cell : cells) {
        Kill(cell);
    }
    RunPasses(3);
    EXPECT_TRUE(ObjectsOf("En_Centipede").empty()) << "ended, with no exit to show";
}

class BossLevelTest : public PlayFixture {
protected:
    void SetUp() override {
        LoadContent();
        gCurrentLevelName = "Lvl_Boss";
        Exit = SpawnInLevel("Exit", Vector2(10, 0));
        Exit->Name = "Sc_Exit";
        for (int i = 0; i < 2; ++i) {
            Centipedes[i] = SpawnInLevel("En_Centipede", Vector2(0, 3.0f - 6.0f * static_cast<float>(i)));
            SetProperty(Centipedes[i], "En_CentipedeBhv", "CellCount", "3");
            Centipedes[i]->Thing->NotifyChanged();
        }
        RunPass();
    }

    static void KillAll(const GameObject* centipede) {
        for (En_CentipedeCellBhv* cell : Chain(centipede)) {
            Kill(cell);
        }
    }

    // Passes until the exit is drawn, at most limit; -1 when it never is.
    int PassesUntilDrawn(int limit) {
        for (int pass = 1; pass <= limit; ++pass) {
            RunPass();
            if (Exit->DrawEnabled) {
                return pass;
            }
        }
        return -1;
    }

    void ExpectHidden() const {
        EXPECT_FALSE(Exit->InputEnabled);
        EXPECT_FALSE(Exit->UpdateEnabled);
        EXPECT_FALSE(Exit->DrawEnabled);
    }

    GameObject* Exit = nullptr;
    GameObject* Centipedes[2] = {nullptr, nullptr};
};

TEST_F(BossLevelTest, TheExitShowsItselfASecondAfterTheLastCentipedeDies) {
    ExpectHidden();
    KillAll(Centipedes[0]);
    RunPasses(3);
    EXPECT_TRUE(ObjectsOf("En_Centipede").size() == 1u) << "the emptied centipede is gone";
    ExpectHidden();
    RunPasses(90);
    ExpectHidden();

    KillAll(Centipedes[1]);
    RunPasses(2);
    EXPECT_TRUE(ObjectsOf("En_Centipede").empty());
    EXPECT_TRUE(Exit->UpdateEnabled);
    EXPECT_TRUE(Exit->InputEnabled);
    EXPECT_FALSE(Exit->DrawEnabled);
    EXPECT_EQ(CueCount("ExitReveal"), 0);
    const int drawnAfter = PassesUntilDrawn(90);
    EXPECT_NEAR(drawnAfter, 60, 1) << "BossRevealDelay 1 s";
    EXPECT_EQ(CueCount("ExitReveal"), 1);
    EXPECT_LT(Exit->Tint->Tint.A, 255) << "fading in";
    RunPasses(30);
    EXPECT_EQ(Exit->Tint->Tint, Color(255, 255, 255, 255));
}

TEST_F(BossLevelTest, TwoCentipedesEndingInOnePassRevealTheExit) {
    KillAll(Centipedes[0]);
    KillAll(Centipedes[1]);
    RunPasses(2);
    EXPECT_TRUE(ObjectsOf("En_Centipede").empty());
    EXPECT_TRUE(Exit->UpdateEnabled);
    EXPECT_NEAR(PassesUntilDrawn(90), 60, 1);
    EXPECT_EQ(CueCount("ExitReveal"), 1);
}

TEST_F(BossLevelTest, OutsideTheBossLevelTheExitIsThereAndEmptiedCentipedesStay) {
    gCurrentLevelName = "Lvl_Test";
    GameObject* exit = SpawnInLevel("Exit", Vector2(-10, 0));
    EXPECT_TRUE(exit->DrawEnabled && exit->UpdateEnabled && exit->InputEnabled);
    KillAll(Centipedes[0]);
    RunPasses(3);
    EXPECT_EQ(ObjectsOf("En_Centipede").size(), 2u);
    EXPECT_TRUE(Centipedes[0]->Children.empty());
}

}  // namespace
