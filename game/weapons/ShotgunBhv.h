#pragma once

#include <cstdint>

#include "object/Behavior.h"
#include "object/Vector2.h"

// The held shotgun: a fan of pellets per blast while Fire is held, one shot of
// ammunition and one cue per blast.
class ShotgunBhv : public Behavior {
public:
    ShotgunBhv();

    void HandleInput() override;

private:
    void FirePellet(GameObject& player, float delta);

    Vector2 PelletOffset;
    float PelletVelocity = 1.0f;
    float PelletSpread = 0.7853982f;  // whole angle of the fan, radians
    int32_t PelletCount = 10;
    float RepeatInterval = 0.5f;
    float Cooldown = 0.0f;
    float VelocityVariation = 0.2f;  // relative spread of the pellets' speeds
};
