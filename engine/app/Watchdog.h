#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class Clock;

// Stamped by the main loop once per pass, read by the watchdog thread. Atomic: a torn
// read would report a false hang.
extern std::atomic<int64_t> gHeartbeat;

// Turns a main thread that has not completed a pass for more than HangSeconds, as
// measured on the clock that stamps the heartbeat, into a crash report.
class Watchdog {
public:
    static constexpr int HangSeconds = 5;

    // pollInterval: real time between two looks at the heartbeat.
    Watchdog(Clock& clock, const std::atomic<int64_t>& heartbeat,
             std::chrono::milliseconds pollInterval = std::chrono::seconds(1));
    // The thread is never joined; from here on it touches neither the clock nor the
    // heartbeat, which may go away with their owner.
    ~Watchdog();

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    bool IsHung() const;
    // Starts watching the calling thread, whose stack a hang report then shows; the
    // first call starts the watchdog's thread, later ones re-arm it.
    void Arm();
    // After the main loop ends: unloading may take its time without being called a hang.
    void Disarm();

private:
    struct State;
    // Thread body: a hang ends the process; retirement ends the thread.
    static void Watch(const std::shared_ptr<State>& state);

    std::shared_ptr<State> mState;
};
