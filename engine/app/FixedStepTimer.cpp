#include "app/FixedStepTimer.h"

#include "platform/Clock.h"

FixedStepTimer::FixedStepTimer(Clock& clock, int updatesPerSecond, int maxCatchUpSteps)
    : mClock(clock),
      mUpdatesPerSecond(updatesPerSecond),
      mMaxCatchUpSteps(maxCatchUpSteps),
      mStep(clock.TicksPerSecond() / updatesPerSecond) {}

void FixedStepTimer::Start() {
    mNext = mClock.Now() + mStep;
}

int FixedStepTimer::WaitForSteps(float* delta) {
    int64_t now = mClock.Now();
    while (now < mNext) {
        // Whole milliseconds, rounded down to the timer resolution: never a busy wait,
        // never an oversleep.
        const uint32_t resolution = mClock.TimerResolutionMs();
        int64_t ms = ((mNext - now) * 1000) / mClock.TicksPerSecond();
        ms = (ms / resolution) * resolution;
        mClock.SleepMs(static_cast<uint32_t>(ms));
        now = mClock.Now();
    }

    *delta = 0.0f;
    int counter = -1;
    do {
        if (counter >= mMaxCatchUpSteps) {
            break;
        }
        mNext += mStep;
        *delta += 1.0f / static_cast<float>(mUpdatesPerSecond);
        ++counter;
    } while (now >= mNext);

    // Time beyond the catch-up cap is lost, not replayed.
    if (counter >= mMaxCatchUpSteps) {
        while (now >= mNext) {
            mNext += mStep;
        }
    }
    return counter + 1;
}
