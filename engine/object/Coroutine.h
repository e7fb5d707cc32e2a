#pragma once

#include <functional>
#include <stdexcept>
#include <string>

class Behavior;

// What a coroutine body returns: when and where to continue.
struct CoCommand {
    // Any other kind continues at the next tick.
    enum Kinds { Id = 0, Stop = 1, Restart = 2, GoTo = 3, WaitFrames = 4, WaitSeconds = 5 };

    int Kind = -1;
    int Value = 0;         // coroutine id (Id), frame count (WaitFrames) or step (GoTo)
    float Seconds = 0.0f;  // time to wait (WaitSeconds)
};

inline CoCommand CoNextTick() {
    return CoCommand{};
}
inline CoCommand CoStop() {
    return CoCommand{CoCommand::Stop, 0, 0.0f};
}
inline CoCommand CoRestart() {
    return CoCommand{CoCommand::Restart, 0, 0.0f};
}
inline CoCommand CoGoTo(int step) {
    return CoCommand{CoCommand::GoTo, step, 0.0f};
}
inline CoCommand CoWaitFrames(int frames) {
    return CoCommand{CoCommand::WaitFrames, frames, 0.0f};
}
inline CoCommand CoWaitSeconds(float seconds) {
    return CoCommand{CoCommand::WaitSeconds, 0, seconds};
}

// The step number on which a body only answers its id.
constexpr int CoroutineIdStep = -1;

// Incremented once per body, on that body's first call; ids start at 1.
extern int NextCoroutineId;

// The id of one body, shared by every instance of its class. Each body holds one in a
// function-local static, so the id is drawn on the body's first call ever:
//
//     CoCommand SpawnerBhv::Waves(int step) {
//         static const CoroutineBodyId id;
//         if (step == CoroutineIdStep) return id.Answer();
//         ...
//     }
class CoroutineBodyId {
public:
    CoroutineBodyId() : mValue(++NextCoroutineId) {}
    CoCommand Answer() const { return CoCommand{CoCommand::Id, mValue, 0.0f}; }
    int Value() const { return mValue; }

private:
    const int mValue;
};

// A body bound to its behaviour instance.
using CoroutineBody = std::function<CoCommand(int step)>;

// A body that the behaviour's coroutine made run forever, or that restarted its own
// step 0. Nothing catches it in the game: it ends the program through the crash report.
class CoroutineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A step-wise body of a behaviour, resumed by the coroutine manager after the
// behaviour's Update. Created through Behavior::FindOrCreateCoroutine.
class Coroutine {
public:
    // Re-runs of the body within one resumption (through Restart and GoTo) beyond which
    // the coroutine is taken to loop without waiting.
    static constexpr int MaxImmediateReruns = 1000;

    Coroutine(const Behavior* owner, CoroutineBody body);
    Coroutine(const Coroutine&) = delete;
    Coroutine& operator=(const Coroutine&) = delete;
    virtual ~Coroutine() = default;

    // Runs step 0 at once. Does nothing while running: a start never restarts.
    void Start();
    // Leaves the counters as they are; the next start resets them.
    void Stop();
    // One resumption: calls the body until it waits, stops or returns plainly.
    void Step();

    CoroutineBody Body;
    bool Running = false;
    bool Suspended = false;  // nothing sets it; every start and stop clears it
    int StepIndex = 0;
    float SecondsLeft = 0.0f;
    int FramesLeft = 0;

private:
    [[noreturn]] void Fail(const std::string& problem);

    const Behavior* mOwner;  // named in the error messages
};

// Ticks a behaviour's coroutines once per update walk.
class CoroutineManager {
public:
    virtual ~CoroutineManager() = default;

    // Counts the waits of b's running coroutines down by one frame and resumes those
    // that are due, in ascending id order; coroutines created meanwhile with a higher
    // id are visited in the same tick.
    void Update(Behavior* b);
};

// Set by the application to its own coroutine manager; the update walk ticks through it.
extern CoroutineManager* gCoroutineManager;
