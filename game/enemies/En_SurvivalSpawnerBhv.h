#pragma once

#include <cstdint>

#include "object/Behavior.h"

// The survival level's spawner: from the level's start its coroutines run, and during
// the round they spawn the four kinds of enemy and the shotgun and pill pick-ups,
// each kind chosen by its weight, at rates that rise every IncrementPeriod seconds.
class En_SurvivalSpawnerBhv : public Behavior {
public:
    En_SurvivalSpawnerBhv();

    void Start() override;

    CoCommand EnemyCoroutine(int step);
    CoCommand PickupCoroutine(int step);
    CoCommand IncrementCoroutine(int step);

    float GetEnemyFrequency() const { return mEnemyFrequency; }
    float GetPillFrequency() const { return mPillFrequency; }

private:
    // One of the four enemy spawn prefabs by weight, during the round.
    void SpawnEnemy() const;
    // A shotgun or a pill by weight, during the round.
    void SpawnPickup() const;

    float EnemyStartFreq = 0.125f;  // per second
    float EnemyFreqIncrement = 0.25f;
    float mEnemyFrequency = 0.0f;
    float IncrementPeriod = 4.0f;  // seconds
    float BorderMargin = 2.0f;     // world units kept free at the view's edges
    float PlayerAvoidRadius = 5.0f;
    float PillStartFreq = 0.1f;  // pick-ups per second
    float PillFreqIncrement = 0.1f;
    float mPillFrequency = 0.0f;
    float EnChaserOdds = 1.0f;
    float EnAntOdds = 1.0f;
    float EnSackOdds = 1.0f;
    float EnCentipedeOdds = 1.0f;
    float PkupPillOdds = 1.0f;
    float PkupGunOdds = 1.0f;
    int32_t PkupAmmo = 10;  // shots of a spawned shotgun
};
