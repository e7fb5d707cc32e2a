// The committed levels and the level list, loaded into the real gameplay screen: what
// every level must hold to be playable and fair, and the list's order and unlocks.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "LevelPath.h"
#include "PhysicsTestSupport.h"
#include "PlayFixture.h"
#include "game/enemies/En_AntSackBhv.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "physics/B2BodyCmp.h"
#include "render/Graphics.h"

namespace {

const char* const kSpecialLevels[] = {"Lvl_Bonus2", "Lvl_Bonus1", "Lvl_Survival"};

bool IsInsect(const GameObject& object) {
    return object.PrefabName.rfind("En_", 0) == 0 && object.PrefabName.find("Spawner") == std::string::npos;
}

bool IsWeaponPickup(const GameObject& object) {
    return object.PrefabName == "Pkup_Pistol" || object.PrefabName == "Pkup_Shotgun";
}

class LevelContentTest : public PlayFixture {
protected:
    static std::vector<std::string> AllLevelNames() {
        std::vector<std::string> names;
        for (const LevelDataCmp* level : gLevelList->Levels) {
            names.push_back(level->ObjectName);
        }
        names.insert(names.end(), std::begin(kSpecialLevels), std::end(kSpecialLevels));
        return names;
    }

    void Load(const std::string& name) {
        LevelDataCmp* level = gLevelList->FindLevel(name);
        ASSERT_NE(level, nullptr) << name;
        Screen().LoadLevel(level);
        // Play loads inside the update walk, so the old level is gone before the next
        // physics step could push the new one's things about.
        FlushDeleteQueues();
        RunPasses(2);
    }

    static std::vector<GameObject*> Things() {
        std::vector<GameObject*> things;
        for (GameObject* group : Level()->Children) {
            for (GameObject* thing : group->Children) {
                if (!thing->PendingDestroy) {
                    things.push_back(thing);
                }
            }
        }
        return things;
    }

    static Vector2 ViewSize() { return gGraphics->WorldCamera.Scale; }

    // Bodies anywhere under the object, the centipedes' cells included: no gravity,
    // and none starts stuck in a wall.
    static void ExpectFreeBodies(const GameObject& object, const LevelPath& walls) {
        if (object.B2Body != nullptr) {
            const b2Body* body = object.B2Body->EnsureBody();
            if (body->GetType() == b2_dynamicBody) {
                EXPECT_EQ(body->GetGravityScale(), 0.0f) << object.PrefabName;
                EXPECT_FALSE(walls.IsBlocked(object.GetPos())) << object.PrefabName << " inside a wall";
            }
        }
        for (const GameObject* child : object.Children) {
            ExpectFreeBodies(*child, walls);
        }
    }

    // What every level holds; the exit's distance for the par check (0 when it has none).
    void CheckLevel(const std::string& name) {
        SCOPED_TRACE(name);
        const bool needsExit = name != "Lvl_Bonus2" && name != "Lvl_Survival";
        const Vector2 half = ViewSize() * 0.5f;
        int players = 0;
        int insects = 0;
        std::vector<Vector2> weapons;
        std::vector<Vector2> exits;
        const LevelPath walls(*Level(), ViewSize(), 0.55f);
        for (const GameObject* thing : Things()) {
            const Vector2 pos = thing->GetPos();
            EXPECT_LE(std::fabs(pos.X), half.X) << thing->PrefabName << " outside the view";
            EXPECT_LE(std::fabs(pos.Y), half.Y) << thing->PrefabName << " outside the view";
            ExpectFreeBodies(*thing, walls);
            players += thing->PrefabName == "Player" ? 1 : 0;
            insects += IsInsect(*thing) ? 1 : 0;
            if (IsWeaponPickup(*thing)) {
                weapons.push_back(pos);
            }
            if (thing->PrefabName == "Exit") {
                exits.push_back(pos);
                EXPECT_EQ(thing->Name, name == "Lvl_Boss" ? "Sc_Exit" : "Exit");
                EXPECT_EQ(thing->Parent->Name, "Layer1");
            }
            if (thing->PrefabName == "Player" || IsInsect(*thing) || IsWeaponPickup(*thing)) {
                EXPECT_EQ(thing->Parent->Name, "Layer2Mut") << thing->PrefabName;
            }
            if (thing->PrefabName == "Wall") {
                EXPECT_EQ(thing->Parent->Name, "Layer1");
            }
        }
        ASSERT_EQ(players, 1);
        ASSERT_NE(gPlayer, nullptr);
        EXPECT_TRUE(!weapons.empty() || gPlayer->WeaponObject != nullptr) << "nothing to fight with";
        EXPECT_EQ(exits.size(), needsExit ? 1u : 0u);

        // Every weapon and the exit can be walked to; the par leaves time for the walk
        // at full speed and a moment for each insect on the way.
        LevelPath path(*Level(), ViewSize(), 0.6f);
        const Vector2 start = gPlayer->Owner->GetPos();
        ASSERT_FALSE(path.IsBlocked(start));
        for (const Vector2 weapon : weapons) {
            path.MeasureFrom(weapon, 1.2f);
            EXPECT_GE(path.DistanceAt(start), 0.0f) << "a weapon out of reach";
        }
        const LevelDataCmp* data = gLevelList->FindLevel(name);
        if (!exits.empty()) {  // the bonus modes keep no time
            path.MeasureFrom(exits.front(), 1.5f);
            const float distance = path.DistanceAt(start);
            ASSERT_GE(distance, 0.0f) << "the exit is walled off";
            if (data->InMainProgression) {
                EXPECT_GE(data->ParTime, distance / gPlayer->SpeedMax + 0.5f * static_cast<float>(insects));
            }
        }
        if (name == "Lvl_Bonus1") {
            // Freeing the ants can be won with some to spare: a stray shot kills a few.
            int ants = 0;
            for (const GameObject* thing : Things()) {
                const En_AntSackBhv* sack = thing->GetComponent<En_AntSackBhv>();
                ants += sack != nullptr ? std::stoi(PropertyText(*sack, "AntCount")) : 0;
                ants += thing->PrefabName == "En_Ant" ? 1 : 0;
            }
            EXPECT_GE(ants, gSavedData->AntsToFree + gSavedData->AntsToFree / 10);
        }
        if (data->InMainProgression && name != "Lvl_Yay") {
            EXPECT_GT(insects, 0) << "a level without insects";
        }
    }
};

TEST_F(LevelContentTest, TheListHoldsTheRingInMapOrderWithBossAndEndingLastAndTheBonusModesApart) {
    StartInLevel();
    RunPass();
    ASSERT_NE(gLevelList, nullptr);
    ASSERT_EQ(gLevelList->Levels.size(), 25u);
    EXPECT_EQ(gLevelList->Levels[0]->ObjectName, "Lvl_01");
    EXPECT_EQ(gLevelList->Levels[22]->ObjectName, "Lvl_23");
    EXPECT_EQ(gLevelList->Levels[23]->ObjectName, "Lvl_Boss");
    EXPECT_EQ(gLevelList->Levels[24]->ObjectName, "Lvl_Yay");
    std::set<std::string> titles;
    for (const LevelDataCmp* level : gLevelList->Levels) {
        EXPECT_NE(gPrefabManager->FindPrefab(level->ObjectName), nullptr) << level->ObjectName;
        EXPECT_GT(level->ParTime, 0.0f) << level->ObjectName;
        EXPECT_TRUE(titles.insert(level->LevelName).second) << "a title twice: " << level->LevelName;
        EXPECT_EQ(level->LevelName.find("Level"), std::string::npos) << "a placeholder title";
    }
    for (const char* special : kSpecialLevels) {
        const LevelDataCmp* level = gLevelList->FindLevel(special);
        ASSERT_NE(level, nullptr) << special;
        EXPECT_FALSE(level->InMainProgression);
        EXPECT_NE(gPrefabManager->FindPrefab(special), nullptr) << special;
    }

    // Pars of the 23 ordinary levels open both bonus modes at the default counts; the
    // boss's completion opens the ending and survival.
    EXPECT_EQ(gLevelList->Bonus1ParCount, 20);
    EXPECT_EQ(gLevelList->Bonus2ParCount, 10);
    EXPECT_TRUE(gLevelList->FindLevel("Lvl_Bonus1")->IsLocked);
    for (int i = 0; i < 23; ++i) {
        gSavedData->LevelBestTimes[gLevelList->Levels[static_cast<size_t>(i)]->ObjectName] =
            gLevelList->Levels[static_cast<size_t>(i)]->ParTime;
    }
    RunPass();
    EXPECT_EQ(gLevelList->ParCount, 23);
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Bonus1")->IsLocked);
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Bonus2")->IsLocked);
    EXPECT_TRUE(gLevelList->FindLevel("Lvl_Yay")->IsLocked);
    gSavedData->LevelBestTimes["Lvl_Boss"] = 60.0f;
    RunPass();
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Yay")->IsLocked);
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Survival")->IsLocked);
}

TEST_F(LevelContentTest, EveryLevelLoadsWithOnePlayerWeaponsAReachableExitAndAFairPar) {
    StartInLevel();
    RunPass();
    ASSERT_NE(gLevelList, nullptr);
    EXPECT_EQ(ViewSize(), Vector2(40.0f, 22.5f));
    const std::vector<std::string> names = AllLevelNames();
    ASSERT_EQ(names.size(), 28u);
    for (const std::string& name : names) {
        Load(name);
        CheckLevel(name);
    }
}

}  // namespace
