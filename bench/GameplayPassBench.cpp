#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/Application.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "input/InputManager.h"
#include "input/Keys.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/Prefab.h"
#include "object/PrefabComponent.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"
#include "object/RandomManager.h"
#include "object/SubProperty.h"
#include "platform/Clock.h"
#include "program/ComponentTable.h"

namespace {

using bench::SetText;
using bench::SourceContent;
using bench::StepClock;

namespace fs = std::filesystem;

GameObject* Spawn(const std::string& prefab, Vector2 pos) {
    auto* object = new GameObject(prefab);
    object->SetPos(pos);
    gGameplayRoot->AddChild(object);
    return object;
}

// One gameplay pass (input walk, physics step, update walk, deletions; no drawing) with
// the player holding Fire on a pistol that shoots every pass and bullets that live five
// seconds: 300 bullets in the air. Reported per bullet.
void BM_GameplayPassWithBullets(benchmark::State& state) {
    constexpr int kBullets = 300;
    const fs::path dataHome = fs::temp_directory_path() / "qv_bench_datahome";
    fs::create_directories(dataHome);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    StepClock clock;
    auto app = std::make_unique<Application>(clock);
    gGameConfig->DevelopmentContentPath = SourceContent().string();
    gInputManager->LoadKeyMappings(SourceContent() / "Config" / "KeyMappings.json");
    gRandomManager->Seed(7);
    gPrefabManager->Init(RegisterComponentTypes);
    gGameplayRoot = new GameObject();
    gRootObject->AddChild(gGameplayRoot);
    for (const char* manager : {"CueManager", "ParticleManager", "WeaponsList", "AimManager"}) {
        gGameplayRoot->AddChild(new GameObject(manager));
    }
    app->PumpMessagesFn = [] {
        gInputManager->KeysDown.set(KeyCode(Key::LeftMouse));
        return true;
    };
    // Bullets live 300 passes: one shot per pass keeps 300 in the air.
    for (const auto& component : gPrefabManager->FindPrefab("PistolBullet")->Components) {
        if (component->TypeName == "PlayerBulletBhv") {
            SubProperty part = component->FindProperty("MaxAliveTime")->MakeSubProperty("MaxAliveTime", 0);
            PropertyFromText(part, "5");
        }
    }
    Spawn("Player", Vector2(0, 0));
    GameObject* pickup = Spawn("Pkup_Pistol", Vector2(0, 0));
    SetText(pickup, "Pkup_WeaponBhv", "AmmoCount", "2000000000");
    app->StartLoop();

    float angle = 0.0f;
    auto pass = [&] {
        // The aim sweeps round, so the bullets spread over the whole field.
        angle += 0.05f;
        gAimManager->Aim = Vector2(std::cos(angle), std::sin(angle));
        clock.Time += 1000;
        app->RunPass();
    };
    pass();
    SetText(gPlayer->WeaponObject, "PistolBhv", "RepeatInterval", "0");
    for (int i = 0; i < kBullets + 10; ++i) {
        pass();
    }
    for (auto _ : state) {
        pass();
    }
    int alive = 0;
    for (GameObject* child : gGameplayRoot->Children) {
        alive += child->PrefabName == "PistolBullet" ? 1 : 0;
    }
    state.counters["bullets"] = alive;
    state.counters["ns_per_bullet"] = benchmark::Counter(static_cast<double>(state.iterations() * kBullets),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    app.reset();
}
BENCHMARK(BM_GameplayPassWithBullets)->Unit(benchmark::kMicrosecond);

}  // namespace
