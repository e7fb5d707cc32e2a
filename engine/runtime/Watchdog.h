#pragma once

#include <atomic>
#include <cstdint>

class Clock;

// Stamped by the main loop once per pass, read by the watchdog thread. Atomic: a torn
// read would report a false hang.
extern std::atomic<int64_t> gHeartbeat;

// Turns a main thread that has not completed a pass for more than HangSeconds into a
// crash report.
class Watchdog {
public:
    static constexpr int HangSeconds = 5;

    Watchdog(Clock& clock, const std::atomic<int64_t>& heartbeat);

    bool IsHung() const;
    // Thread body: checks once a second; never returns (a hang ends the process).
    [[noreturn]] void Run();
    // Starts Run on a detached thread.
    void StartThread();
    // After the main loop ends: unloading may take its time without being called a hang.
    void Disarm() { mArmed.store(false); }

private:
    Clock& mClock;
    const std::atomic<int64_t>& mHeartbeat;
    std::atomic<bool> mArmed{true};
};
