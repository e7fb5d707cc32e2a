#pragma once

#include "object/Behavior.h"

class b2Contact;
class b2Fixture;
struct EnemyDamageInfo;

// The usual damage of an enemy: hurt with a blink, death into chunks, death by being
// eaten in pill mode, and the lethal touch on the player.
class EnStandardDamageBhv : public Behavior {
public:
    // Binds the damage callback and every fixture's pre-solve; health starts full.
    void Start() override;
    // See-through while the pill mode runs.
    void Update() override;

    // Null info kills. Runs inside the physics step when a bullet or a touch calls it.
    void OnDamage(EnemyDamageInfo* info);
    // Pre-solve of each of the enemy's fixtures; never disables the contact.
    void OnContact(b2Contact* contact, b2Fixture* other);

    CoCommand HurtCoroutine(int step);
    CoCommand FlashCoroutine(int step);

private:
    void Die();
    void BeEaten();

    float HurtTime = 0.15f;
};
