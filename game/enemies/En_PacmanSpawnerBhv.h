#pragma once

#include "object/Behavior.h"

// The pill-chase level's spawner: idle until the round starts, then chasers and pills
// at rates that rise every IncrementPeriod seconds, until the level is unloaded.
class En_PacmanSpawnerBhv : public Behavior {
public:
    En_PacmanSpawnerBhv();

    // Starts the three coroutines on the first pass of the round.
    void Update() override;

    CoCommand EnemyCoroutine(int step);
    CoCommand PillCoroutine(int step);
    CoCommand IncrementCoroutine(int step);

    float GetEnemyFrequency() const { return mEnemyFrequency; }
    float GetPillFrequency() const { return mPillFrequency; }

private:
    float EnemyStartFreq = 0.125f;  // per second
    float EnemyFreqIncrement = 0.25f;
    float mEnemyFrequency = 0.0f;
    float IncrementPeriod = 4.0f;  // seconds
    float BorderMargin = 2.0f;     // world units kept free at the view's edges
    float PlayerAvoidRadius = 5.0f;
    float PillStartFreq = 0.1f;
    float PillFreqIncrement = 0.1f;
    float mPillFrequency = 0.0f;
    float mPillInterval = 0.0f;  // seconds to the next pill
    float PillFirstInterval = 2.0f;
    bool mStarted = false;
    // The pill rate was 0 or less: the running wait only looks at it again.
    bool mPillRateRecheck = false;
};
