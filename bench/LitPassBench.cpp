// One frame of the game as the player sees it, at 1280 x 720 with the game's content:
// over the level-select map, which draws no lit sprite, and over the first level, whose
// walls and player are lit. Each iteration is Graphics::DrawFrame and a glFinish, in
// wall time: the driver's rasterising of the full-screen passes is most of the cost.
//
// Run from the repository root after `ninja content` (the game reads "Content") under
// an X display, e.g. xvfb-run -a build/<dir>/bench/bench_LitPassBench.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include "BenchSupport.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/Application.h"
#include "game/levels/SavedDataBhv.h"
#include "input/InputManager.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "platform/window/SdlVideo.h"
#include "program/ComponentTable.h"
#include "render/Graphics.h"

namespace {

// Passes that let the map's zoom and the level's title card settle.
constexpr int kSettlePasses = 150;

// The game as Application::Run starts it, driven pass by pass.
class Game {
public:
    Game() {
        if (std::getenv("DISPLAY") == nullptr) {
            throw std::runtime_error("the frame benchmark needs an X display: run it under xvfb-run -a");
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        KeepVideo();
        // Display.ini and the save go to a folder of the benchmark's own.
        const std::filesystem::path dataHome = std::filesystem::temp_directory_path() / "qv_bench_litpass";
        std::filesystem::create_directories(dataHome);
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        gComponentTypeRegistrar = RegisterComponentTypes;
        mApp = std::make_unique<Application>(mClock);
        gGameConfig->Load();
        gInputManager->LoadKeyMappings(Application::GetKeyMappingsPath());
        mApp->LoadGame();
        mApp->PumpMessagesFn = [] { return true; };
        mApp->StartLoop();
    }
    ~Game() { mApp->UnloadGame(); }

    // The map's hand-over when a level starts: with no level chosen, the screen starts
    // the first one.
    void EnterFirstLevel() {
        gCurrentLevelName.clear();
        if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
            map->DetachAndDestroy();
        }
        gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
    }

    void RunPasses(int count) {
        for (int i = 0; i < count; ++i) {
            mClock.Time += mClock.TicksPerSecond() / 60;
            mApp->RunPass();
        }
    }

private:
    // Stopping the video system would unload the driver libraries between benchmarks.
    static void KeepVideo() {
        static SdlVideo* const video = new SdlVideo();
        (void)video;
    }

    bench::StepClock mClock;
    std::unique_ptr<Application> mApp;
};

void DrawFrames(benchmark::State& state) {
    for (auto _ : state) {
        gGraphics->DrawFrame();
        glFinish();
    }
}

void BM_FrameOverTheMap(benchmark::State& state) {
    Game game;
    game.RunPasses(kSettlePasses);
    DrawFrames(state);
}
BENCHMARK(BM_FrameOverTheMap)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_FrameInALitLevel(benchmark::State& state) {
    Game game;
    game.EnterFirstLevel();
    game.RunPasses(kSettlePasses);
    DrawFrames(state);
}
BENCHMARK(BM_FrameInALitLevel)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
