#pragma once

#include <cstdint>

class Clock;

// The main loop's fixed-rate pacing: sleeps until the next step is due, then counts the
// steps that are due, at most MaxCatchUpSteps + 1, and drops any backlog beyond that.
class FixedStepTimer {
public:
    FixedStepTimer(Clock& clock, int updatesPerSecond, int maxCatchUpSteps);

    // The first step falls one step after now.
    void Start();
    // Sleeps until at least one step is due. Returns the step count; delta receives the
    // float sum of the steps' lengths.
    int WaitForSteps(float* delta);

    int64_t StepTicks() const { return mStep; }
    int64_t NextStepTime() const { return mNext; }

private:
    Clock& mClock;
    int mUpdatesPerSecond;
    int mMaxCatchUpSteps;
    int64_t mStep;
    int64_t mNext = 0;
};
