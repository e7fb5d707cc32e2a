#include "app/Application.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <ctime>

#include "app/ContentCheck.h"
#include "app/EditorHooks.h"
#include "app/FixedStepTimer.h"
#include "app/RuntimeTypes.h"
#include "app/Watchdog.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"
#include "fx/AnimationManager.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "object/AtomicFile.h"
#include "object/ContentWarning.h"
#include "object/Coroutine.h"
#include "object/Events.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectShortcutTypes.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/RequiredContent.h"
#include "object/UpdateSwitches.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "render/Graphics.h"

Application* gApplication = nullptr;
EditorHooks gEditorHooks;

namespace {

bool EditorLetsQuit() {
    return gEditorHooks.MayQuit == nullptr || gEditorHooks.MayQuit();
}

}  // namespace

Application::Application() : Application(GetSystemClock()) {}

Application::Application(Clock& clock)
    : mClock(clock),
      mEvents(gEvents),
      mDebugDrawer(gB2DebugDrawer),
      mPhysicsWorld(gPhysicsWorld),
      mRootObject(gRootObject),
      mGameplayRootView(gGameplayRoot),
      mRandomManager(gRandomManager),
      mGraphics(gGraphics),
      mFontRegistry(gFontRegistry),
      mTextureManager(gTextureManager),
      mPrefabManager(gPrefabManager),
      mGameTime(gGameTime),
      mInputManager(gInputManager),
      mSoundManager(gSoundManager),
      mMusicManager(gMusicManager),
      mCoroutineManager(gCoroutineManager),
      mGameConfig(gGameConfig),
      mAnimationManager(gAnimationManager) {
    if (gEditorHooks.CreateState != nullptr) {
        gEditorHooks.CreateState();
    }
    gApplication = this;
    gDeletionQueues = &Queues;
    gUpdateSwitches = UpdateSwitches{&UpdatesDisabled, &UpdatesDelayed};
    // Each run's editor is told what its own start-up told.
    TakeUnheardContentWarnings();

    // Creation order: editor state, events, contact listener, debug drawer, physics
    // world, root object, random numbers, graphics, fonts, textures, prefabs, time,
    // input, sounds, music, coroutines, game configuration, animations.
    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    mEvents.Make(std::make_unique<Events>());
    mContactListener = std::make_unique<B2MainContactListener>();
    ContactListener = mContactListener.get();
    mDebugDrawer.Make(std::make_unique<B2DebugDrawer>());
    mPhysicsWorld.Make(std::make_unique<b2World>(b2Vec2(0.0f, -10.0f)));
    gPhysicsWorld->SetDebugDraw(gB2DebugDrawer);
    gPhysicsWorld->SetContactListener(ContactListener);
    mRootObject.Make(std::make_unique<GameObject>());
    mRandomManager.Make(std::make_unique<RandomManager>());
    // Every run differs.
    gRandomManager->Seed(static_cast<uint32_t>(std::time(nullptr)));
    mGraphics.Make(std::make_unique<Graphics>());
    mFontRegistry.Make(std::make_unique<FontRegistry>(gGraphics));
    mTextureManager.Make(std::make_unique<TextureManager>(gGraphics));
    mPrefabManager.Make(std::make_unique<PrefabManager>());
    mGameTime.Make(std::make_unique<GameTime>());
    mInputManager.Make(std::make_unique<InputManager>());
    mSoundManager.Make(std::make_unique<SoundManager>());
    mMusicManager.Make(std::make_unique<MusicManager>(gSoundManager->System()));
    CoroutineManager = mCoroutineManager.Make(std::make_unique<class CoroutineManager>());
    mGameConfig.Make(std::make_unique<GameConfig>());
    mAnimationManager.Make(std::make_unique<AnimationManager>());
    mWatchdog = std::make_unique<Watchdog>(clock, gHeartbeat);
    PumpMessagesFn = PumpMessages;
}

// The members go in reverse order of declaration, each clearing its global.
Application::~Application() = default;

Application::ExitScope::~ExitScope() {
    gApplication = nullptr;
    gUpdateSwitches = UpdateSwitches{};
    FlushDeleteQueues();
    gDeletionQueues = nullptr;
    if (gEditorHooks.DeleteState != nullptr) {
        gEditorHooks.DeleteState();
    }
}

void Application::Run() {
    ReadRequiredContent([] { gGameConfig->Load(); });
    ReadRequiredContent([] { gInputManager->LoadKeyMappings(GetKeyMappingsPath()); });
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
    // A save of the display settings or of the progress cut short leaves a temporary
    // file beside the whole old file; the prefab manager clears its own folder.
    RemoveStrayTemporaries(GetUserDataFolder());
    LoadPrefabs();
    gGraphics->Init();
    gTextureManager->LoadBank("Main");
    gFontRegistry->LoadGroup("Main");
    gSoundManager->LoadBank("Main");
    gAnimationManager->UpdatesPerSecond = UpdatesPerSecond;
    gAnimationManager->LoadAll();
    WarnAboutMissingContent(Expected);
    gRootObject->Name = "Root";
    gGameplayRoot = new GameObject("GameplayRoot");
    gRootObject->AddChild(gGameplayRoot);
    // Beside the game, not inside it: pausing the game must not freeze the editor.
    if (gEditorHooks.CreateState != nullptr && gPrefabManager->FindPrefab("EdRoot") != nullptr) {
        gRootObject->AddChild(new GameObject("EdRoot"));
    }
}

void Application::LoadPrefabs() {
    gPrefabManager->Init(gComponentTypeRegistrar, Expected.RequiredPrefabs);
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
    // A quit the editor holds back runs the pass as usual: its question must be drawn.
    if (!PumpMessagesFn() && EditorLetsQuit()) {
        return false;
    }
    if (gEditorHooks.AfterPump != nullptr) {
        gEditorHooks.AfterPump();
    }

    InputWalk(gRootObject);

    if (gGameplayRoot != nullptr) {
        const bool active = gGameplayRoot->UpdateEnabled != 0;
        SetBodyActive(gGameplayRoot, active);
        for (size_t i = 0; i < gGameplayRoot->Children.size(); ++i) {
            SyncPhysicsActive(gGameplayRoot->Children[i], active);
        }
    }
    // One physics step per pass, however many fixed steps it counted.
    const float physicsStep = std::min(delta, 2.0f / static_cast<float>(UpdatesPerSecond));
    ContactListener->StepWorld(*gPhysicsWorld, physicsStep, 8, 3);

    PostPhysicsWalk(gRootObject);
    FlushDeleteQueues();
    if (gGraphics != nullptr) {
        gGraphics->DrawFrame();
    }
    return true;
}

void Application::SyncPhysicsActive(GameObject* object, bool parentActive) {
    const bool active = parentActive && object->UpdateEnabled != 0;
    SetBodyActive(object, active);
    for (size_t i = 0; i < object->Children.size(); ++i) {
        SyncPhysicsActive(object->Children[i], active);
    }
}
