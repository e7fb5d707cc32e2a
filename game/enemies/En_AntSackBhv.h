#pragma once

#include <cstdint>

#include "object/Behavior.h"

class b2Contact;
class b2Fixture;
struct EnemyDamageInfo;

// A sack of ants: a shot or the player's touch bursts it once. It shrinks, releases a
// ring of ants into the level half-way and is gone at the end.
class En_AntSackBhv : public Behavior {
public:
    En_AntSackBhv();

    // Takes the enemy's damage callback and the first fixture's pre-solve; joins the
    // insects' collision group.
    void Start() override;

    // Any hit bursts the sack, once; the amount is ignored.
    void OnDamage(EnemyDamageInfo* info);
    // Pre-solve: a burst sack touches nothing; the player's touch bursts it.
    void OnContact(b2Contact* contact, b2Fixture* other);

    CoCommand RuptureCoroutine(int step);

    // Ants that are on their way out: AntCount while the sack bursts from a touch and
    // its ants are not yet released, else 0. Counted as freed in the ants level.
    int32_t AntsBeingFreed() const;

private:
    void ReleaseAnts();
    bool IsBursting() const;

    int32_t AntCount = 10;
    float AntDistance = 1.0f;       // radial spread of the ants around the centre
    bool Ruptured = false;          // hit, or its ants released
    float SackDestroyTime = 0.5f;   // seconds from the burst to the removal
    Coroutine* mRupture = nullptr;  // owned with the other coroutines; made in Start
};
