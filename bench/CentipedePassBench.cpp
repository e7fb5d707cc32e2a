#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/Application.h"
#include "game/enemies/En_CentipedeBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/IEditable.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"
#include "object/RandomManager.h"
#include "object/SubProperty.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "platform/Clock.h"
#include "program/ComponentTable.h"

namespace {

using bench::SetText;
using bench::SourceContent;
using bench::StepClock;

namespace fs = std::filesystem;

// A static box around the arena, so the centipedes bounce and swerve inside it.
void AddArenaWalls() {
    struct Wall {
        const char* Shape;
        Vector2 Pos;
    };
    const Wall walls[] = {{"Box 30 0.5", Vector2(0, 16)},
                          {"Box 30 0.5", Vector2(0, -16)},
                          {"Box 0.5 16", Vector2(30, 0)},
                          {"Box 0.5 16", Vector2(-30, 0)}};
    for (const Wall& w : walls) {
        auto* wall = new GameObject();
        gGameplayRoot->AddChild(wall);
        wall->AddComponent(new B2BodyCmp());
        auto* fixture = new B2FixtureCmp();
        wall->AddComponent(fixture);
        wall->SetPos(w.Pos);
        fixture->SetShape(w.Shape);
    }
}

// One gameplay pass (input walk, physics step, update walk, deletions; no drawing) with
// 20 centipedes of 16 segments walking, bouncing and swerving. Reported per segment.
void BM_CentipedePass(benchmark::State& state) {
    constexpr int kCentipedes = 20;
    constexpr int kCells = 16;
    const fs::path dataHome = fs::temp_directory_path() / "qv_bench_datahome";
    fs::create_directories(dataHome);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    StepClock clock;
    auto app = std::make_unique<Application>(clock);
    // A gameplay screen outside the tree, with its round running: what the centipedes ask.
    GameObject screenHolder;
    screenHolder.AddComponent(new GameplayScreenBhv());
    gGameplayScreen = screenHolder.GetComponent<GameplayScreenBhv>();
    gGameplayScreen->RoundActive = 1;
    gGameConfig->DevelopmentContentPath = SourceContent().string();
    gRandomManager->Seed(7);
    gPrefabManager->Init(RegisterComponentTypes);
    gGameplayRoot = new GameObject();
    gRootObject->AddChild(gGameplayRoot);
    app->PumpMessagesFn = [] { return true; };
    AddArenaWalls();
    for (int i = 0; i < kCentipedes; ++i) {
        auto* centipede = new GameObject("En_Centipede");
        SetText(centipede, "En_CentipedeBhv", "CellCount", std::to_string(kCells));
        SetText(centipede, "En_CentipedeBhv", "DeflectInterval", "0.5");
        centipede->SetPos(Vector2(-20.0f + 2.0f * static_cast<float>(i), -12.0f + static_cast<float>(i)));
        centipede->SetRotation(0.3f * static_cast<float>(i));
        gGameplayRoot->AddChild(centipede);
        centipede->GetComponent<En_CentipedeBhv>()->Build();
    }
    app->StartLoop();
    auto pass = [&] {
        clock.Time += 1000;
        app->RunPass();
    };
    for (int i = 0; i < 60; ++i) {
        pass();
    }
    for (auto _ : state) {
        pass();
    }
    int cells = 0;
    for (const GameObject* child : gGameplayRoot->Children) {
        cells += child->PrefabName == "En_Centipede" ? static_cast<int>(child->Children.size()) : 0;
    }
    state.counters["cells"] = cells;
    state.counters["ns_per_cell"] = benchmark::Counter(static_cast<double>(state.iterations() * kCentipedes * kCells),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    app.reset();
    gGameplayScreen = nullptr;
}
BENCHMARK(BM_CentipedePass)->Unit(benchmark::kMicrosecond);

}  // namespace
