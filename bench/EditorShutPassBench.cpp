#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include "game/screens/GameplayScreenBhv.h"

namespace {

using bench::HeadlessGame;
using bench::SourceContent;

// The game as the program starts it, editor included, but without a window: each pass
// is the main thread's work less the drawing. A second of play comes first: the map's
// intro and the level's title card are past.
void RunShutEditorPasses(benchmark::State& state, HeadlessGame& game) {
    for (int i = 0; i < 60; ++i) {
        game.Pass();
    }
    for (auto _ : state) {
        game.Pass();
    }
}

void BM_MapPassEditorShut(benchmark::State& state) {
    HeadlessGame game("shut_editor", SourceContent(), HeadlessGame::Editor::Shut);
    RunShutEditorPasses(state, game);
}
BENCHMARK(BM_MapPassEditorShut)->Unit(benchmark::kMicrosecond);

void BM_Lvl01PassEditorShut(benchmark::State& state) {
    HeadlessGame game("shut_editor", SourceContent(), HeadlessGame::Editor::Shut);
    game.EnterLevel("Lvl_01");
    RunShutEditorPasses(state, game);
    state.counters["in_level"] = gGameplayScreen != nullptr ? 1 : 0;
}
BENCHMARK(BM_Lvl01PassEditorShut)->Unit(benchmark::kMicrosecond);

}  // namespace
