#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "game/levels/LevelDataCmp.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/ObjectWalks.h"

namespace {

using bench::HeadlessGame;
using bench::SourceContent;

namespace fs = std::filesystem;

// An auto-create entry placing a thing of the prefab with its body at (x, y).
std::string BodyEntry(const std::string& prefab, float x, float y) {
    return R"({"Prefab": ")" + prefab + R"(", "InstanceProperties": {"B2BodyCmp": {"Pos": {"X": ")" +
           std::to_string(x) + R"(", "Y": ")" + std::to_string(y) + R"("}}}})";
}

void Append(std::string& entries, const std::string& entry) {
    if (!entries.empty()) {
        entries += ", ";
    }
    entries += entry;
}

// The game's start-up without a window over a copy of the committed prefabs, with the
// bench's own levels beside them: the gameplay root, its screen, the first level.
class BenchGame {
public:
    BenchGame() {
        fs::create_directories(mFolder / "Prefabs");
        fs::copy(SourceContent() / "Prefabs", mFolder / "Prefabs",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    ~BenchGame() {
        mGame.reset();
        fs::remove_all(mFolder);
    }

    void WriteLevel(const std::string& name, const std::string& entries) {
        std::ofstream(mFolder / "Prefabs" / (name + ".json"))
            << R"({"Components": "", "AutoCreate": [)" << entries << "]}";
    }

    void Start() {
        mGame = std::make_unique<HeadlessGame>("screen", mFolder);
        mGame->EnterLevel("");
        Pass();
    }

    void Pass() { mGame->Pass(); }

private:
    fs::path mFolder = fs::temp_directory_path() / ("qv_bench_screen_content_" + std::to_string(::getpid()));
    std::unique_ptr<HeadlessGame> mGame;
};

// One gameplay pass (input walk, physics step, update walk, deletions; no drawing) on
// the gameplay screen with 500 ants in the level, started apart so that they walk and
// bounce. Reported per insect.
void BM_GameplayPassWith500Insects(benchmark::State& state) {
    constexpr int kColumns = 25;
    constexpr int kRows = 20;
    BenchGame game;
    std::string entries;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            Append(entries, BodyEntry("En_Ant", -24.0f + 2.0f * column, -15.0f + 1.5f * row));
        }
    }
    game.WriteLevel("Lvl_BenchInsects", entries);
    game.Start();
    LevelDataCmp level;
    level.ObjectName = "Lvl_BenchInsects";
    gGameplayScreen->LoadLevel(&level);
    // The first level's things go before a physics step could touch them.
    FlushDeleteQueues();
    gGameplayScreen->RoundActive = 1;
    game.Pass();
    for (auto _ : state) {
        game.Pass();
    }
    state.counters["insects"] = static_cast<double>(kColumns * kRows);
    state.counters["per_insect"] = benchmark::Counter(static_cast<double>(state.iterations() * kColumns * kRows),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GameplayPassWith500Insects)->Unit(benchmark::kMicrosecond);

// Loading a level of 300 things: emptying the level before (its objects deleted as the
// pass deletes them) and building 150 walls, 100 insects and 50 lights into the groups.
void BM_LoadLevelOf300Things(benchmark::State& state) {
    BenchGame game;
    std::string entries;
    for (int i = 0; i < 150; ++i) {
        Append(entries, BodyEntry("Wall", -19.0f + 2.0f * (i % 20), -10.0f + 2.0f * (i / 20)));
    }
    for (int i = 0; i < 100; ++i) {
        Append(entries, BodyEntry("En_Ant", -18.0f + 1.6f * (i % 20), 6.0f + 1.0f * (i / 20)));
    }
    for (int i = 0; i < 50; ++i) {
        Append(entries, R"({"Prefab": "LevelLight"})");
    }
    game.WriteLevel("Lvl_Bench300", entries);
    game.Start();
    LevelDataCmp level;
    level.ObjectName = "Lvl_Bench300";
    for (auto _ : state) {
        gGameplayScreen->LoadLevel(&level);
        FlushDeleteQueues();
    }
    state.counters["things"] = 300;
}
BENCHMARK(BM_LoadLevelOf300Things)->Unit(benchmark::kMillisecond);

}  // namespace
