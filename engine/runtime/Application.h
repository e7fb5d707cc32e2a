#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "object/ObjectWalks.h"

class Clock;
class FixedStepTimer;
class GameObject;
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
    // One pass of the main loop. Returns false when the message pump reports the end;
    // nothing after the pump runs in that pass.
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
    class CoroutineManager* CoroutineManager = nullptr;
    class B2MainContactListener* ContactListener = nullptr;

    // The message pump; tests replace it.
    std::function<bool()> PumpMessagesFn;
    // Applies a body's activity; installed by the physics components.
    static void (*SetBodyActiveHook)(GameObject* object, bool active);

private:
    Clock& mClock;
    std::unique_ptr<FixedStepTimer> mTimer;
    // Watches the heartbeat on mClock, the clock that stamps it; armed only inside Run.
    std::unique_ptr<Watchdog> mWatchdog;
};

extern Application* gApplication;
extern b2World* gPhysicsWorld;
extern GameObject* gRootObject;
extern GameObject* gGameplayRoot;
