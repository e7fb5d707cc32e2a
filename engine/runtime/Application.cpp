#include "runtime/Application.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <ctime>

#include "object/Coroutine.h"
#include "object/Events.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "platform/Clock.h"
#include "runtime/FixedStepTimer.h"
#include "runtime/GameTime.h"
#include "runtime/MessagePump.h"
#include "runtime/Watchdog.h"

Application* gApplication = nullptr;
b2World* gPhysicsWorld = nullptr;
GameObject* gRootObject = nullptr;
GameObject* gGameplayRoot = nullptr;

void (*Application::SetBodyActiveHook)(GameObject* object, bool active) = nullptr;

namespace {

void ApplyBodyActive(GameObject* object, bool active) {
    if (Application::SetBodyActiveHook != nullptr) {
        Application::SetBodyActiveHook(object, active);
    }
}

}  // namespace

Application::Application() : Application(GetSystemClock()) {}

Application::Application(Clock& clock) : mClock(clock) {
    gApplication = this;
    gDeletionQueues = &Queues;

    // Creation order: editor state, events, contact listener, debug drawer, physics
    // world, root object, random numbers, graphics, fonts, textures, prefabs, time,
    // input, sounds, music, coroutines, game configuration, animations.
    InstallObjectShortcutTypes();
    gEvents = new Events();
    gPhysicsWorld = new b2World(b2Vec2(0.0f, -10.0f));
    gRootObject = new GameObject();
    gRandomManager = new RandomManager();
    // Every run differs.
    gRandomManager->Seed(static_cast<uint32_t>(std::time(nullptr)));
    // [graphics, fonts, textures]
    gPrefabManager = new PrefabManager();
    gGameTime = new GameTime();
    // [input, sounds, music]
    CoroutineManager = new class CoroutineManager();
    gCoroutineManager = CoroutineManager;
    gGameConfig = new GameConfig();
    // [animations]
    PumpMessagesFn = PumpMessages;
}

Application::~Application() {
    delete mTimer;
    delete gGameConfig;
    gGameConfig = nullptr;
    gCoroutineManager = nullptr;
    delete CoroutineManager;
    delete gGameTime;
    delete gPrefabManager;
    gPrefabManager = nullptr;
    delete gRandomManager;
    gRandomManager = nullptr;
    // The whole tree goes with the root; its destructors may still queue deletions.
    delete gRootObject;
    gRootObject = nullptr;
    gGameplayRoot = nullptr;
    delete gPhysicsWorld;
    gPhysicsWorld = nullptr;
    delete gEvents;
    gEvents = nullptr;
    gApplication = nullptr;
    FlushDeleteQueues();
    gDeletionQueues = nullptr;
}

void Application::Run() {
    gGameConfig->Load();
    // [key mappings]
    gPrefabManager->Init(gComponentTypeRegistrar);
    // [window and device, "Main" textures, fonts and sounds]
    // ["Main" animations]
    gRootObject->Name = "Root";
    gGameplayRoot = new GameObject("GameplayRoot");
    gRootObject->AddChild(gGameplayRoot);

    StartLoop();
    // Lives for the whole process: its thread is never joined.
    static Watchdog watchdog(GetSystemClock(), gHeartbeat);
    watchdog.StartThread();

    while (RunPass()) {
    }

    watchdog.Disarm();
    // [unload "Main" sounds, animations, fonts, "Editor" and "Main" textures; shut the renderer down]
}

void Application::StartLoop() {
    delete mTimer;
    mTimer = new FixedStepTimer(mClock, UpdatesPerSecond, MaxCatchUpSteps);
    mTimer->Start();
    gHeartbeat.store(mClock.Now());
}

bool Application::RunPass() {
    float delta = 0.0f;
    mTimer->WaitForSteps(&delta);
    gGameTime->DeltaTime = delta;
    gGameTime->TotalTime += delta;
    gHeartbeat.store(mClock.Now());

    // [input update, sound system update]
    if (!PumpMessagesFn()) {
        return false;
    }

    InputWalk(gRootObject);

    if (gGameplayRoot != nullptr) {
        const bool active = gGameplayRoot->UpdateEnabled != 0;
        ApplyBodyActive(gGameplayRoot, active);
        for (size_t i = 0; i < gGameplayRoot->Children.size(); ++i) {
            SyncPhysicsActive(gGameplayRoot->Children[i], active);
        }
    }
    // One physics step per pass, however many fixed steps it counted.
    const float physicsStep = std::min(delta, 2.0f / static_cast<float>(UpdatesPerSecond));
    gPhysicsWorld->Step(physicsStep, 8, 3);

    PostPhysicsWalk(gRootObject);
    FlushDeleteQueues();
    // [draw the frame]
    return true;
}

void Application::SyncPhysicsActive(GameObject* object, bool parentActive) {
    const bool active = parentActive && object->UpdateEnabled != 0;
    ApplyBodyActive(object, active);
    for (size_t i = 0; i < object->Children.size(); ++i) {
        SyncPhysicsActive(object->Children[i], active);
    }
}
