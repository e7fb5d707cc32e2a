#include "runtime/Application.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <ctime>

#include "object/Coroutine.h"
#include "object/Events.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectShortcutTypes.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "platform/Clock.h"
#include "runtime/AnimationManager.h"
#include "runtime/B2DebugDrawer.h"
#include "runtime/B2MainContactListener.h"
#include "runtime/FixedStepTimer.h"
#include "runtime/FontRegistry.h"
#include "runtime/Graphics.h"
#include "runtime/InputManager.h"
#include "runtime/MessagePump.h"
#include "runtime/MusicManager.h"
#include "runtime/RuntimeTypes.h"
#include "runtime/SoundManager.h"
#include "runtime/TextureManager.h"
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

Application::Application(Clock& clock) : mClock(clock), mWatchdog(std::make_unique<Watchdog>(clock, gHeartbeat)) {
    gApplication = this;
    gDeletionQueues = &Queues;

    // Creation order: editor state, events, contact listener, debug drawer, physics
    // world, root object, random numbers, graphics, fonts, textures, prefabs, time,
    // input, sounds, music, coroutines, game configuration, animations.
    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    gEvents = new Events();
    ContactListener = new B2MainContactListener();
    gB2DebugDrawer = new B2DebugDrawer();
    gPhysicsWorld = new b2World(b2Vec2(0.0f, -10.0f));
    gPhysicsWorld->SetDebugDraw(gB2DebugDrawer);
    gPhysicsWorld->SetContactListener(ContactListener);
    gRootObject = new GameObject();
    gRandomManager = new RandomManager();
    // Every run differs.
    gRandomManager->Seed(static_cast<uint32_t>(std::time(nullptr)));
    gGraphics = new Graphics();
    gFontRegistry = new FontRegistry(gGraphics);
    gTextureManager = new TextureManager(gGraphics);
    gPrefabManager = new PrefabManager();
    gGameTime = new GameTime();
    gInputManager = new InputManager();
    gSoundManager = new SoundManager();
    gMusicManager = new MusicManager(gSoundManager->System());
    CoroutineManager = new class CoroutineManager();
    gCoroutineManager = CoroutineManager;
    gGameConfig = new GameConfig();
    gAnimationManager = new AnimationManager();
    PumpMessagesFn = PumpMessages;
}

Application::~Application() {
    // First: the watchdog's thread outlives us and must stop looking at the clock.
    mWatchdog.reset();
    mTimer.reset();
    delete gAnimationManager;
    gAnimationManager = nullptr;
    delete gGameConfig;
    gGameConfig = nullptr;
    gCoroutineManager = nullptr;
    delete CoroutineManager;
    // Music first: its stream belongs to the sound manager's system. Cue channels left in
    // the tree deleted below are stale by then, so their destructors do nothing.
    delete gMusicManager;
    gMusicManager = nullptr;
    delete gSoundManager;
    gSoundManager = nullptr;
    delete gInputManager;
    gInputManager = nullptr;
    delete gGameTime;
    gGameTime = nullptr;
    delete gPrefabManager;
    gPrefabManager = nullptr;
    // Before the renderer: the manager leaves the renderer's list of texture owners.
    delete gTextureManager;
    gTextureManager = nullptr;
    delete gFontRegistry;
    gFontRegistry = nullptr;
    delete gGraphics;
    gGraphics = nullptr;
    delete gRandomManager;
    gRandomManager = nullptr;
    // The whole tree goes with the root; its destructors may still queue deletions.
    delete gRootObject;
    gRootObject = nullptr;
    gGameplayRoot = nullptr;
    delete gPhysicsWorld;
    gPhysicsWorld = nullptr;
    delete gB2DebugDrawer;
    gB2DebugDrawer = nullptr;
    delete ContactListener;
    ContactListener = nullptr;
    delete gEvents;
    gEvents = nullptr;
    gApplication = nullptr;
    FlushDeleteQueues();
    gDeletionQueues = nullptr;
}

void Application::Run() {
    gGameConfig->Load();
    gInputManager->LoadKeyMappings(GetKeyMappingsPath());
    gGraphics->VSync = 1;
    LoadGame();

    StartLoop();
    mWatchdog->Arm();

    while (RunPass()) {
    }

    mWatchdog->Disarm();
    UnloadGame();
}

void Application::LoadGame() {
    gPrefabManager->Init(gComponentTypeRegistrar);
    gGraphics->Init();
    gTextureManager->LoadBank("Main");
    gFontRegistry->LoadGroup("Main");
    gSoundManager->LoadBank("Main");
    gAnimationManager->LoadAll();
    gRootObject->Name = "Root";
    gGameplayRoot = new GameObject("GameplayRoot");
    gRootObject->AddChild(gGameplayRoot);
}

void Application::UnloadGame() {
    gSoundManager->UnloadBank("Main");
    gAnimationManager->Clear();
    gFontRegistry->UnloadGroup("Main");
    gTextureManager->UnloadBank("Editor");
    gTextureManager->UnloadBank("Main");
    gGraphics->Shutdown();
}

void Application::StartLoop() {
    mTimer = std::make_unique<FixedStepTimer>(mClock, UpdatesPerSecond, MaxCatchUpSteps);
    mTimer->Start();
    gHeartbeat.store(mClock.Now());
}

bool Application::RunPass() {
    float delta = 0.0f;
    mTimer->WaitForSteps(&delta);
    gGameTime->DeltaTime = delta;
    gGameTime->TotalTime += delta;
    gHeartbeat.store(mClock.Now());

    gInputManager->Update();
    gSoundManager->Update();
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
    if (gGraphics != nullptr) {
        gGraphics->DrawFrame();
    }
    return true;
}

void Application::SyncPhysicsActive(GameObject* object, bool parentActive) {
    const bool active = parentActive && object->UpdateEnabled != 0;
    ApplyBodyActive(object, active);
    for (size_t i = 0; i < object->Children.size(); ++i) {
        SyncPhysicsActive(object->Children[i], active);
    }
}
