#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/Published.h"
#include "object/ExpectedContent.h"
#include "object/ObjectWalks.h"
#include "object/SceneRoots.h"
#include "physics/PhysicsWorld.h"

class AnimationManager;
class B2DebugDrawer;
class B2MainContactListener;
class Clock;
class CoroutineManager;
class Events;
class FixedStepTimer;
class FontRegistry;
class GameConfig;
class GameObject;
class Graphics;
class InputManager;
class MusicManager;
class PrefabManager;
class RandomManager;
class SoundManager;
class TextureManager;
class Watchdog;
class b2World;
struct GameTime;

// Creates and owns the global managers and runs the fixed-rate main loop.
class Application {
public:
    explicit Application(Clock& clock);
    Application();
    ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up, the main loop, unloading. Returns when the message pump reports the end.
    void Run();

    // The loop's set-up (clock, first step time, heartbeat), separate from Run for tests.
    void StartLoop();
    // The start-up after the configuration and key mappings: prefabs, window and device,
    // the "Main" resources and the gameplay root; and the unloading after the loop.
    void LoadGame();
    void UnloadGame();
    // The prefabs, as LoadGame reads them: a required one that is missing or cannot be
    // read raises RequiredContentError.
    void LoadPrefabs();
    // One pass of the main loop. Returns false when the message pump reports the end and
    // the editor lets the program end; nothing after the pump runs in that pass.
    bool RunPass();

    // A body is active only where UpdateEnabled holds on its object and every ancestor
    // up to the gameplay root.
    static void SyncPhysicsActive(GameObject* object, bool parentActive);

    static const char* GetKeyMappingsPath() { return "Content/Config/KeyMappings.json"; }

    int32_t MaxCatchUpSteps = 5;
    int32_t UpdatesPerSecond = 60;
    DeletionQueues Queues;
    uint8_t UpdatesDisabled = 0;
    uint8_t UpdatesDelayed = 0;
    // Non-owning views of two of the members below.
    class CoroutineManager* CoroutineManager = nullptr;
    B2MainContactListener* ContactListener = nullptr;

    // The message pump; tests replace it.
    std::function<bool()> PumpMessagesFn;
    // What the game's code asks for by name, checked once LoadGame has loaded the
    // content; the program sets it.
    ExpectedContent Expected;

private:
    // Runs last of all: clears the application's own globals and deletes what the
    // managers' destructors queued.
    struct ExitScope {
        ~ExitScope();
    };

    Clock& mClock;
    ExitScope mExitScope;
    // The managers, declared in creation order: members are destroyed in reverse, which
    // is the order the managers must go in, and each global is cleared with its manager.
    Published<Events> mEvents;
    std::unique_ptr<B2MainContactListener> mContactListener;
    Published<B2DebugDrawer> mDebugDrawer;
    Published<b2World> mPhysicsWorld;
    Published<GameObject> mRootObject;  // the whole tree goes with it
    ClearedOnExit<GameObject> mGameplayRootView;
    Published<RandomManager> mRandomManager;
    Published<Graphics> mGraphics;
    Published<FontRegistry> mFontRegistry;
    // After the renderer, so destroyed before it: it leaves the renderer's owner list.
    Published<TextureManager> mTextureManager;
    Published<PrefabManager> mPrefabManager;
    Published<GameTime> mGameTime;
    Published<InputManager> mInputManager;
    Published<SoundManager> mSoundManager;
    // Destroyed before the sound manager: its stream belongs to the sound system. Cue
    // channels left in the tree are stale by the time the tree goes, and do nothing.
    Published<MusicManager> mMusicManager;
    Published<class CoroutineManager> mCoroutineManager;
    Published<GameConfig> mGameConfig;
    Published<AnimationManager> mAnimationManager;
    std::unique_ptr<FixedStepTimer> mTimer;
    // Destroyed first: its thread must stop looking at the clock before anything else
    // goes. Watches the heartbeat on mClock; armed only inside Run.
    std::unique_ptr<Watchdog> mWatchdog;
};

extern Application* gApplication;
