#pragma once

#include "object/Behavior.h"

// The level's exit, recognised by the player's touch; its light pulses. In the boss
// level it stays hidden until the last centipede dies and reveals it.
class ExitBhv : public Behavior {
public:
    ExitBhv();

    void Start() override;
    void Update() override;

    CoCommand RevealCoroutine(int step);

private:
    float BrightnessMin = 0.3f;
    float BrightnessMax = 0.6f;
    float PulseInterval = 1.0f;  // seconds
    float BossRevealDelay = 1.0f;
};
