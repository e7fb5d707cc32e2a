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

// The text of every source file of the program's code.
std::vector<std::string> ProgramSources() {
    std::vector<std::string> texts;
    for (const char* folder : {"game", "engine", "editor"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(CommittedContent().parent_path() / folder)) {
            if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") {
                continue;
            }
            std::ifstream in(entry.path());
            texts.emplace_back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
    }
    return texts;
}

// What follows each "<start>" in the texts, to the end of its statement.
std::vector<std::string> StatementsAfter(const std::vector<std::string>& texts, const std::string& start) {
    std::vector<std::string> found;
    for (const std::string& text : texts) {
        for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) {
            const size_t from = at + start.size();
            found.push_back(text.substr(from, text.find(';', from) - from));
        }
    }
    return found;
}

// The captured groups of each match that took part in it.
void Collect(const std::string& text, const std::regex& pattern, std::set<std::string>& out) {
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
        for (size_t group = 1; group < it->size(); ++group) {
            if ((*it)[group].matched) {
                out.insert((*it)[group].str());
            }
        }
    }
}

// The start-up checks the cues the code plays and the prefabs it builds or reads by
// name by a list kept by hand: every name the code asks for is on it, and each has its
// committed prefab.
TEST(GameExpectedContentTest, TheListsHoldEveryCueAndPrefabTheCodeAsksFor) {
    const std::vector<std::string> sources = ProgramSources();
    const std::regex played(R"re(^"([A-Za-z0-9_]+)"\))re");
    std::set<std::string> cuesInCode;
    for (const char* call : {"PlayGameCue(", "PlayCue("}) {
        for (const std::string& arguments : StatementsAfter(sources, call)) {
            Collect(arguments, played, cuesInCode);
        }
    }
    const std::vector<std::string> cues = GameExpectedContent().Cues;
    EXPECT_GT(cuesInCode.size(), 20u);
    EXPECT_EQ(std::set<std::string>(cues.begin(), cues.end()), cuesInCode);
    for (const std::string& cue : cues) {
        EXPECT_TRUE(std::filesystem::exists(CommittedContent() / "Prefabs" / ("Cue_" + cue + ".json"))) << cue;
    }

    // A prefab's name given to a call that builds or finds one: as a literal, as both
    // sides of a choice, or as a named constant of the code.
    const std::regex literal(R"re(^\s*"(\w+)")re");
    const std::regex choice(R"re(^[^?{}]*\?\s*"(\w+)"\s*:\s*"(\w+)")re");
    const std::regex constant(R"re(^\s*(?:\w+::)?(k[A-Z]\w*|[A-Z]\w*Prefab)\b)re");
    std::set<std::string> prefabsInCode;
    std::set<std::string> constants;
    for (const char* call : {"new GameObject(", "BuildChildFromPrefab(", "SpawnGameParticle(", "SpawnParticle(",
                             "SpawnIntoLevel(", "ShowPanel(", "LaunchShot(", "FindPrefab("}) {
        for (const std::string& arguments : StatementsAfter(sources, call)) {
            Collect(arguments, literal, prefabsInCode);
            Collect(arguments, choice, prefabsInCode);
            Collect(arguments, constant, constants);
        }
    }
    EXPECT_GE(constants.size(), 6u);
    const std::regex assigned(R"re(^(?:\[\])?\s*=)re");
    for (const std::string& name : constants) {
        for (const std::string& rest : StatementsAfter(sources, name)) {
            if (std::regex_search(rest, assigned)) {
                Collect(rest, std::regex(R"re("(\w+)")re"), prefabsInCode);
            }
        }
    }
    // The held weapons come by the names the weapons list gives.
    std::ifstream weapons(CommittedContent() / "Prefabs" / "WeaponsList.json");
    const std::string weaponsList((std::istreambuf_iterator<char>(weapons)), std::istreambuf_iterator<char>());
    std::set<std::string> heldWeapons;
    Collect(weaponsList, std::regex(R"re("PrefabName":\s*"(\w+)")re"), heldWeapons);
    EXPECT_EQ(heldWeapons.size(), 2u);
    prefabsInCode.insert(heldWeapons.begin(), heldWeapons.end());

    const std::vector<std::string> prefabs = GameExpectedContent().Prefabs;
    EXPECT_GT(prefabsInCode.size(), 30u);
    EXPECT_EQ(std::set<std::string>(prefabs.begin(), prefabs.end()), prefabsInCode);
    for (const std::string& prefab : prefabs) {
        EXPECT_TRUE(std::filesystem::exists(CommittedContent() / "Prefabs" / (prefab + ".json"))) << prefab;
    }
}

}  // namespace
