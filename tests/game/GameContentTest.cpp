// The committed gameplay prefabs keep the rules the code relies on: what is built
// inside a physics step has no body, every dynamic body ignores the world's gravity,
// and the player, weapons and bullets have the parts their behaviours look for.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ContentTestSupport.h"
#include "PhysicsTestSupport.h"
#include "PlayFixture.h"
#include "fx/Pcl_EmitOnceBhv.h"
#include "game/GameContent.h"
#include "game/enemies/SpawnCloudBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/weapons/WeaponCmp.h"
#include "game/weapons/WeaponsListBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"

namespace {

class GameContentTest : public PlayFixture {
protected:
    void SetUp() override { LoadContent(); }

    // The object built from the prefab, kept under the gameplay root without updates.
    GameObject* Build(const std::string& prefab) {
        GameObject* object = Spawn(prefab, Vector2(0, 0));
        object->UpdateEnabled = 0;
        object->InputEnabled = 0;
        return object;
    }

    static bool HasBodyInSubtree(const GameObject* object) {
        if (object->GetComponent<B2BodyCmp>() != nullptr) {
            return true;
        }
        for (const GameObject* child : object->Children) {
            if (HasBodyInSubtree(child)) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(GameContentTest, WhatContactsBuildHasNoBody) {
    // Held weapons come from the weapons list; chunks and pebbles are emitters whose
    // particles are built in the same pass.
    ASSERT_NE(gWeaponsList, nullptr);
    ASSERT_EQ(gWeaponsList->Weapons.size(), 2u) << "a description for every weapon type";
    for (const auto& [type, weapon] : gWeaponsList->Weapons) {
        SCOPED_TRACE(weapon->PrefabName);
        ASSERT_NE(gPrefabManager->FindPrefab(weapon->PrefabName), nullptr);
        EXPECT_FALSE(HasBodyInSubtree(Build(weapon->PrefabName)));
    }
    for (const char* effect : {"Pcl_PlayerChunks", "Pcl_InsectChunks", "Pcl_AntChunks", "Pcl_WallPebbles"}) {
        SCOPED_TRACE(effect);
        GameObject* emitter = Build(effect);
        EXPECT_FALSE(HasBodyInSubtree(emitter));
        const std::string particle = PropertyText(*emitter->GetComponent<Pcl_EmitOnceBhv>(), "ParticlePrefab");
        ASSERT_NE(gPrefabManager->FindPrefab(particle), nullptr) << particle;
        EXPECT_FALSE(HasBodyInSubtree(Build(particle)));
    }
}

TEST_F(GameContentTest, EveryDynamicBodyIgnoresGravityAndShotsAreSolidBullets) {
    for (const auto& [name, prefab] : gPrefabManager->Prefabs) {
        if (name == "GameplayRoot") {
            continue;
        }
        SCOPED_TRACE(name);
        GameObject* object = Build(name);
        const B2BodyCmp* body = object->GetComponent<B2BodyCmp>();
        if (body != nullptr && body->EnsureBody()->GetType() == b2_dynamicBody) {
            EXPECT_EQ(body->Body->GetGravityScale(), 0.0f);
        }
    }
    for (const char* shot : {"PistolBullet", "ShotgunPellet"}) {
        SCOPED_TRACE(shot);
        GameObject* object = Build(shot);
        const b2Body* body = object->GetComponent<B2BodyCmp>()->EnsureBody();
        EXPECT_EQ(body->GetType(), b2_dynamicBody);
        EXPECT_TRUE(body->IsBullet());
        const B2FixtureCmp* fixture = object->GetComponent<B2FixtureCmp>();
        ASSERT_NE(fixture->Fixture, nullptr);
        EXPECT_FALSE(fixture->Fixture->IsSensor());
    }
}

TEST_F(GameContentTest, ThePlayerHasOneSolidFixtureAFixedRotationAndItsTwoChildren) {
    GameObject* player = Build("Player");
    const b2Body* body = player->GetComponent<B2BodyCmp>()->EnsureBody();
    EXPECT_EQ(body->GetType(), b2_dynamicBody);
    EXPECT_TRUE(body->IsFixedRotation());
    EXPECT_EQ(player->GetComponentAt<B2FixtureCmp>(1), nullptr);
    ASSERT_NE(player->GetComponent<B2FixtureCmp>()->Fixture, nullptr);
    EXPECT_FALSE(player->GetComponent<B2FixtureCmp>()->Fixture->IsSensor());
    EXPECT_EQ(player->GetComponent<B2FixtureCmp>()->Fixture->GetFilterData().groupIndex, -1);
    EXPECT_NE(player->FindChild("AimCursor"), nullptr);
    EXPECT_NE(player->FindChild("ReadyPrompt"), nullptr);
    EXPECT_FALSE(player->FindChild("AimCursor")->DrawEnabled) << "hidden until aiming with a weapon";
    // Played cues have their prefabs.
    for (const char* cue :
         {"PistolShot", "ShotgunBlast", "BulletWallHit", "EnemyDamage", "EnemyDie", "PistolPickup", "PlayerDie"}) {
        EXPECT_NE(gPrefabManager->FindPrefab(std::string("Cue_") + cue), nullptr) << cue;
    }
}

TEST_F(GameContentTest, LevelThingsHaveAThingCmpAndEnemiesSolidFixturesInTheInsectGroup) {
    for (const char* thing : {"En_Ant", "En_AntSack", "En_Centipede", "En_CentipedeShort", "Pkup_Pill", "Pkup_Pistol",
                              "Pkup_Shotgun", "Exit", "En_AntSpawn", "En_AntSackSpawn", "En_CentipedeShortSpawn"}) {
        SCOPED_TRACE(thing);
        EXPECT_NE(Build(thing)->Thing, nullptr);
    }
    // Their pre-solve contacts need solid fixtures; built in a pass, Start set the group.
    for (const char* enemy : {"En_Ant", "En_AntSack", "En_CentipedeCell"}) {
        SCOPED_TRACE(enemy);
        GameObject* object = Spawn(enemy, Vector2(0, 0));
        const b2Fixture* fixture = object->GetComponent<B2FixtureCmp>()->Fixture;
        ASSERT_NE(fixture, nullptr);
        EXPECT_FALSE(fixture->IsSensor());
        EXPECT_EQ(fixture->GetFilterData().groupIndex, -2);
    }
    // Score particles are built inside the physics step; the spawn clouds name enemies.
    EXPECT_FALSE(HasBodyInSubtree(Build("ScoreParticle")));
    for (const char* cloud : {"En_AntSpawn", "En_AntSackSpawn", "En_CentipedeShortSpawn"}) {
        const std::string enemy = PropertyText(*Build(cloud)->GetComponent<SpawnCloudBhv>(), "PrefabToSpawn");
        EXPECT_NE(gPrefabManager->FindPrefab(enemy), nullptr) << cloud;
    }
    EXPECT_NE(gPrefabManager->FindPrefab("Pcl_SpawnPuff"), nullptr);
    for (const char* cue : {"AntSackRupture", "EnemySpawn", "ExitReveal", "DebugBlip"}) {
        EXPECT_NE(gPrefabManager->FindPrefab(std::string("Cue_") + cue), nullptr) << cue;
    }
}

// The start-up checks the cues the code plays by a list kept by hand: every name the
// code plays is on it, and each has its committed prefab.
TEST(GameExpectedContentTest, TheCueListHoldsEveryCueTheCodePlays) {
    const std::regex played(R"re((?:PlayGameCue|PlayCue)\("([A-Za-z0-9_]+)"\))re");
    std::set<std::string> inCode;
    for (const char* folder : {"game", "engine", "editor"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(CommittedContent().parent_path() / folder)) {
            if (entry.path().extension() != ".cpp") {
                continue;
            }
            std::ifstream in(entry.path());
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            for (auto it = std::sregex_iterator(text.begin(), text.end(), played); it != std::sregex_iterator(); ++it) {
                inCode.insert((*it)[1].str());
            }
        }
    }
    const std::vector<std::string> listed = GameExpectedContent().Cues;
    EXPECT_GT(inCode.size(), 20u);
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), inCode);
    for (const std::string& cue : listed) {
        EXPECT_TRUE(std::filesystem::exists(CommittedContent() / "Prefabs" / ("Cue_" + cue + ".json"))) << cue;
    }
}

}  // namespace
