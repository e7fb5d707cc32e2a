#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// The held pistol: one bullet per shot while Fire is held, one shot of ammunition each.
class PistolBhv : public Behavior {
public:
    PistolBhv();

    void HandleInput() override;

private:
    Vector2 BulletOffset;  // muzzle, from the player's centre in the player's frame
    float BulletVelocity = 1.0f;
    float RepeatInterval = 0.5f;
    float Cooldown = 0.0f;
};
