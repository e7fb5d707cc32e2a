#include <benchmark/benchmark.h>

#include "object/Behavior.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"

namespace {

struct Counter : Behavior {
    void Update() override { ++Updates; }
    int Updates = 0;
};

// The update walk over 10,000 objects with one behaviour each, reported per behaviour.
void BM_UpdateWalk(benchmark::State& state) {
    DeletionQueues queues;
    gDeletionQueues = &queues;
    const int objectCount = static_cast<int>(state.range(0));
    GameObject root;
    // A shallow, wide tree like a level: groups of 100 objects.
    for (int group = 0; group < objectCount / 100; ++group) {
        auto* groupObject = new GameObject();
        root.AddChild(groupObject);
        for (int i = 0; i < 100; ++i) {
            auto* object = new GameObject();
            object->AddComponent(new Counter());
            groupObject->AddChild(object);
        }
    }
    for (auto _ : state) {
        PostPhysicsWalk(&root);
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
    state.counters["ns_per_behaviour"] = benchmark::Counter(static_cast<double>(state.iterations() * objectCount),
                                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    gDeletionQueues = nullptr;
}
BENCHMARK(BM_UpdateWalk)->Arg(10000);

}  // namespace
