#pragma once

#include <cstdint>

// The monotonic clock the main loop and the watchdog run on. Tests drive time by hand
// through their own implementation.
class Clock {
public:
    virtual ~Clock() = default;

    virtual int64_t Now() const = 0;  // ticks
    virtual int64_t TicksPerSecond() const = 0;
    virtual uint32_t TimerResolutionMs() const = 0;  // the finest sleep, at least 1
    virtual void SleepMs(uint32_t ms) = 0;
};

// The steady clock of the system, in nanoseconds.
class SystemClock final : public Clock {
public:
    int64_t Now() const override;
    int64_t TicksPerSecond() const override { return 1000000000; }
    uint32_t TimerResolutionMs() const override { return 1; }
    void SleepMs(uint32_t ms) override;
};

SystemClock& GetSystemClock();
