#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/Application.h"
#include "app/EditorHooks.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/SceneRoots.h"
#include "program/ComponentTable.h"
#include "program/EditorHooks.h"

namespace {

using bench::SourceContent;
using bench::StepClock;

namespace fs = std::filesystem;

// The game as the program starts it, editor included, but without a window: each pass
// is the main thread's work less the drawing (pump hooks, input walk, physics, update walk, deletions).
// The editor's root is built and stays shut, as it is for a player.
class ShutEditorGame {
public:
    ShutEditorGame() {
        fs::create_directories(mDataHome);
        setenv("XDG_DATA_HOME", mDataHome.c_str(), 1);
        InstallEditorHooks();
        App = std::make_unique<Application>(Clock);
        gGameConfig->DevelopmentContentPath = SourceContent().string();
        gInputManager->LoadKeyMappings(SourceContent() / "Config" / "KeyMappings.json");
        gRandomManager->Seed(7);
        gPrefabManager->Init(RegisterComponentTypes);
        gRootObject->Name = "Root";
        gGameplayRoot = new GameObject("GameplayRoot");
        gRootObject->AddChild(gGameplayRoot);
        gRootObject->AddChild(new GameObject("EdRoot"));
        App->PumpMessagesFn = [] { return true; };
        App->StartLoop();
    }
    ~ShutEditorGame() {
        App.reset();
        gEditorHooks = EditorHooks{};
        fs::remove_all(mDataHome);
    }

    // The map hands over to a level without its zoom.
    void EnterLevel(const char* name) {
        if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
            map->DetachAndDestroy();
        }
        gCurrentLevelName = name;
        gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
    }

    void Pass() {
        Clock.Time += 1000;
        App->RunPass();
    }

    StepClock Clock;
    std::unique_ptr<Application> App;

private:
    fs::path mDataHome = fs::temp_directory_path() / ("qv_bench_shut_editor_" + std::to_string(::getpid()));
};

// A second of play first: the map's intro and the level's title card are past.
void RunShutEditorPasses(benchmark::State& state, ShutEditorGame& game) {
    for (int i = 0; i < 60; ++i) {
        game.Pass();
    }
    for (auto _ : state) {
        game.Pass();
    }
}

void BM_MapPassEditorShut(benchmark::State& state) {
    ShutEditorGame game;
    RunShutEditorPasses(state, game);
}
BENCHMARK(BM_MapPassEditorShut)->Unit(benchmark::kMicrosecond);

void BM_Lvl01PassEditorShut(benchmark::State& state) {
    ShutEditorGame game;
    game.EnterLevel("Lvl_01");
    RunShutEditorPasses(state, game);
    state.counters["in_level"] = gGameplayScreen != nullptr ? 1 : 0;
}
BENCHMARK(BM_Lvl01PassEditorShut)->Unit(benchmark::kMicrosecond);

}  // namespace
