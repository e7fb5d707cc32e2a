// A prefab file as a person may edit it: read with the game's component table, then
// built into an object and deleted again.
#include <memory>
#include <stdexcept>

#include "FuzzSupport.h"
#include "app/Application.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "program/ComponentTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureHeadlessApplication();
    gGameConfig->DevelopmentContentPath = FuzzFolder().string();
    WriteFuzzFile("Prefabs/Fuzz.json", InputText(data, size));

    PrefabManager* const saved = gPrefabManager;
    auto manager = std::make_unique<PrefabManager>();
    gPrefabManager = manager.get();
    try {
        manager->Init(RegisterComponentTypes);
        auto* object = new GameObject("Fuzz");
        gRootObject->AddChild(object);
        object->Destroy();
    } catch (const std::runtime_error&) {
        // A content error: the game reports it and stops.
    }
    FlushDeleteQueues();
    while (!gRootObject->Children.empty()) {
        delete gRootObject->Children.back();
    }
    gPrefabManager = saved;
    return 0;
}
