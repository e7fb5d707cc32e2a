#pragma once

#include <cstdint>

#include "object/Behavior.h"

class b2Contact;
class b2Fixture;

// A shot of the player's: damages the first live enemy it touches, or may throw
// pebbles off anything else, and is spent either way; gone after MaxAliveTime.
class PlayerBulletBhv : public Behavior {
public:
    PlayerBulletBhv();

    // Listens to the first fixture's pre-solve and joins the player's collision group.
    void Start() override;
    void Update() override;

    // Runs inside the physics step: it only marks and queues.
    void OnContact(b2Contact* contact, b2Fixture* other);

private:
    bool RollWallEffects() const;

    int32_t DamageAmount = 10;
    bool Hit = false;
    float ParticleOdds = 1.0f;  // probability of the wall-hit effects
    float MaxAliveTime = 3.0f;
    float Age = 0.0f;
};
