#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectShortcutTypes.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "program/ComponentTable.h"

namespace {

// A prefab folder in a fresh temporary development content path, removed at the end.
class BenchContent {
public:
    BenchContent() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        mRoot = pattern;
        std::filesystem::create_directories(mRoot / "Prefabs");
        mConfig.DevelopmentContentPath = mRoot.string();
        gGameConfig = &mConfig;
        gDeletionQueues = &mQueues;
        // Behaviours of instantiated prefabs may read the time record.
        gGameTime = &mTime;
        InstallObjectShortcutTypes();
    }
    ~BenchContent() {
        gGameConfig = nullptr;
        gDeletionQueues = nullptr;
        gGameTime = nullptr;
        std::filesystem::remove_all(mRoot);
    }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(mRoot / "Prefabs" / (name + ".json")) << text;
    }

private:
    std::filesystem::path mRoot;
    GameConfig mConfig;
    DeletionQueues mQueues;
    GameTime mTime;
};

// Four components with a few properties each, as a typical level thing has.
const char* const kFourComponents = R"(
    "Pos2dCmp": { "Pos": { "X": "12.5", "Y": "-3" }, "Rotation": "0.785398185", "IsRelative": "true" },
    "ThingCmp": { "Layer": "2", "IsMutable": "true" },
    "TweensBhv": "",
    "Pos2dCmp": { "Pos": { "X": "1", "Y": "2" } })";

std::string PrefabText(const std::string& autoCreates) {
    return std::string(R"({ "Components": {)") + kFourComponents + R"( }, "AutoCreate": )" + autoCreates + " }";
}

std::string Repeated(const std::string& prefab, int count) {
    std::string list = "[";
    for (int i = 0; i < count; ++i) {
        list += std::string(i > 0 ? ", " : "") + R"({ "Prefab": ")" + prefab + R"(" })";
    }
    return list + "]";
}

// One root, 9 branches, 90 leaves: 100 objects of 4 components each.
void BM_InstantiateTreeOf100Objects(benchmark::State& state) {
    BenchContent content;
    content.Write("BenchLeaf", PrefabText("\"\""));
    content.Write("BenchBranch", PrefabText(Repeated("BenchLeaf", 10)));
    content.Write("BenchRoot", PrefabText(Repeated("BenchBranch", 9)));
    PrefabManager manager;
    gPrefabManager = &manager;
    manager.Init(RegisterComponentTypes);

    for (auto _ : state) {
        GameObject root("BenchRoot");
        benchmark::DoNotOptimize(root.Children.data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
    state.counters["objects_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 100), benchmark::Counter::kIsRate);
    gPrefabManager = nullptr;
}
BENCHMARK(BM_InstantiateTreeOf100Objects);

// Start-up's share: registering the types and reading 500 prefab files.
void BM_Load500PrefabFiles(benchmark::State& state) {
    BenchContent content;
    for (int i = 0; i < 500; ++i) {
        content.Write("Bench" + std::to_string(i), PrefabText(i % 2 == 0 ? "\"\"" : Repeated("Bench0", 3)));
    }
    for (auto _ : state) {
        PrefabManager manager;
        gPrefabManager = &manager;
        manager.Init(RegisterComponentTypes);
        benchmark::DoNotOptimize(manager.Prefabs.size());
    }
    state.counters["files_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 500), benchmark::Counter::kIsRate);
    gPrefabManager = nullptr;
}
BENCHMARK(BM_Load500PrefabFiles)->Unit(benchmark::kMillisecond);

}  // namespace
