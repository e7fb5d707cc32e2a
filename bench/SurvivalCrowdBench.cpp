#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <string>

#include "game/GameMath.h"
#include "game/enemies/EnemyCmp.h"
#include "game/enemies/Spawning.h"
#include "game/levels/LevelDataCmp.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"
#include "object/RandomManager.h"
#include "physics/PhysicsWorld.h"
#include "render/Graphics.h"

namespace {

using bench::GetText;
using bench::HeadlessGame;

int CountEnemies(const GameObject& object) {
    int count = object.GetComponent<EnemyCmp>() != nullptr ? 1 : 0;
    for (const GameObject* child : object.Children) {
        count += CountEnemies(*child);
    }
    return count;
}

// The game's start-up without a window, straight into the survival level with its round
// running. The player stands where the level puts it, taken for dead so that no touch
// ends the round: the chasers keep pressing in on it, the insects keep walking.
class SurvivalGame {
public:
    SurvivalGame() {
        Game.EnterLevel("");
        Game.Pass();
        LevelDataCmp level;
        level.ObjectName = "Lvl_Survival";
        gGameplayScreen->LoadLevel(&level);
        FlushDeleteQueues();
        GameObject* layer = gGameplayScreen->Owner->FindChild("Level")->FindChild("Layer1");
        mSpawner = layer->FindChild("SurvivalSpawner");
        // Its rates would go on adding to the crowd that is measured.
        mSpawner->UpdateEnabled = 0;
        gPlayer->IsDead = true;
        gGameplayScreen->RoundActive = 1;
    }

    void Pass() { Game.Pass(); }

    // Spawn clouds of the spawner's four enemies, chosen by its weights at points drawn
    // as it draws them (its view less the border margin, away from the player), until
    // the level holds the count. Its test for room is left out: a real round fills the
    // level to somewhere between 650 and 850 enemies with it, and a bigger crowd
    // stands, as the spawner once placed it, in walls and on one another too.
    int GrowCrowd(int enemies) {
        static const char* const kSpawns[] = {"En_ChaserSpawn", "En_AntSpawn", "En_AntSackSpawn",
                                              "En_CentipedeShortSpawn"};
        const auto setting = [this](const char* name) {
            return std::stof(GetText(mSpawner, "En_SurvivalSpawnerBhv", name));
        };
        const float odds[] = {setting("EnChaserOdds"), setting("EnAntOdds"), setting("EnSackOdds"),
                              setting("EnCentipedeOdds")};
        const Vector2 margin(setting("BorderMargin"), setting("BorderMargin"));
        const float avoidRadius = setting("PlayerAvoidRadius");
        const Camera2d& camera = gGraphics->WorldCamera;
        const Vector2 min = camera.Position - camera.Scale * 0.5f + margin;
        const Vector2 max = camera.Position + camera.Scale * 0.5f - margin;
        int count = CountEnemies(*Level());
        while (count < enemies) {
            // A quarter of the shortfall at a time (a centipede is five enemies), so the
            // count is met closely.
            for (int spawned = 0; spawned < std::max(1, (enemies - count) / 4); ++spawned) {
                Vector2 p = gRandomManager->RandomPointInBox(min, max);
                while (Length(p - gPlayer->Owner->GetPos()) < avoidRadius) {
                    p = gRandomManager->RandomPointInBox(min, max);
                }
                SpawnIntoLevel(kSpawns[gRandomManager->ChooseWeighted(odds)], p);
            }
            // The clouds give way to their enemies after a second.
            for (int pass = 0; pass < 70; ++pass) {
                Pass();
            }
            count = CountEnemies(*Level());
        }
        // The crowd settles: chasers close in, centipedes stretch out.
        for (int pass = 0; pass < 120; ++pass) {
            Pass();
        }
        return CountEnemies(*Level());
    }

    HeadlessGame Game{"crowd"};

private:
    static GameObject* Level() { return gGameplayScreen->Owner->FindChild("Level"); }

    GameObject* mSpawner = nullptr;
};

// The physics step of one pass (b2World::Step alone, as Box2D times it) in the survival
// level with a crowd of state.range(0) enemies. Reported also: the part of it spent in
// the time-of-impact pass.
void BM_SurvivalCrowdPhysicsStep(benchmark::State& state) {
    SurvivalGame game;
    const int enemies = game.GrowCrowd(static_cast<int>(state.range(0)));
    double timeOfImpact = 0.0;
    for (auto _ : state) {
        game.Pass();
        const b2Profile& profile = gPhysicsWorld->GetProfile();
        state.SetIterationTime(profile.step / 1000.0);
        timeOfImpact += profile.solveTOI;
    }
    state.counters["enemies"] = enemies;
    state.counters["bodies"] = gPhysicsWorld->GetBodyCount();
    state.counters["contacts"] = gPhysicsWorld->GetContactCount();
    state.counters["toi_ms"] = timeOfImpact / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SurvivalCrowdPhysicsStep)->Arg(240)->Arg(500)->Arg(900)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
