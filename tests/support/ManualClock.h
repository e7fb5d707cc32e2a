#pragma once

#include <vector>

#include "platform/Clock.h"

// A clock that moves only when told to, or when slept on. A zero sleep lets a quarter
// millisecond pass, as a real yield would.
class ManualClock final : public Clock {
public:
    static constexpr int64_t Frequency = 1000000;  // microseconds

    int64_t Now() const override { return Time; }
    int64_t TicksPerSecond() const override { return Frequency; }
    uint32_t TimerResolutionMs() const override { return Resolution; }
    void SleepMs(uint32_t ms) override {
        Sleeps.push_back(ms);
        Time += ms == 0 ? Frequency / 4000 : ms * (Frequency / 1000);
    }
    void AdvanceSteps(double steps) { Time += static_cast<int64_t>(steps * Frequency / 60); }

    int64_t Time = 1000 * Frequency;
    uint32_t Resolution = 1;
    std::vector<uint32_t> Sleeps;
};
