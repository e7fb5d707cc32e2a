#pragma once

#include "object/Behavior.h"

// An insect that runs straight at the player while it sees the player, and away from
// the player while a pill's effect lasts. Sight is tested every LosUpdateInterval
// seconds; only static bodies block it. Without sight it drifts on as it was going.
class En_ChaserBhv : public Behavior {
public:
    En_ChaserBhv();

    // The first sight test runs at the next coroutine tick, once the spawner has
    // placed us.
    void Start() override;
    void Update() override;

    CoCommand LineOfSightCoroutine(int step);

    bool HasLineOfSight() const { return mHasLineOfSight; }

private:
    // A ray from us to the player that no static fixture crosses; true when we stand
    // on the player, where there is no ray to cast.
    bool SeesPlayer() const;

    float LosUpdateInterval = 0.25f;
    bool mHasLineOfSight = false;
    float SeekSpeed = 2.0f;
    float PillSpeedAmount = 0.7f;
};
