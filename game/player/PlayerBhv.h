#pragma once

#include <cstdint>

#include "object/Behavior.h"
#include "object/Vector2.h"
#include "object/WeaponType.h"

class b2Contact;
class b2Fixture;
class B2FixtureCmp;

// The player: moves with acceleration and deceleration, faces the aim, holds one
// weapon and its shots, takes pick-ups and pills, enters the exit and dies.
class PlayerBhv : public Behavior {
public:
    PlayerBhv();
    // Clears gPlayer when it names this instance.
    ~PlayerBhv() override;

    // Becomes gPlayer, listens to its fixture's begin-contact and joins the player's
    // collision group; hides the aim cursor.
    void Start() override;
    // The armed or unarmed picture; no aim cursor once the player takes no input.
    void Update() override;
    // Aiming, movement and the replay action.
    void HandleInput() override;

    // Runs inside the physics step: builds only objects without bodies.
    void OnContact(b2Contact* contact, b2Fixture* other);

    // Explodes into chunks; nothing when already hidden.
    void Die();
    // Shrinks into the exit and settles there, out of the way of everything.
    CoCommand EnterExitCoroutine(int step);

    WeaponType Weapon = WeaponType::Pistol;
    GameObject* WeaponObject = nullptr;  // a child of our object; null when unarmed
    int32_t AmmoCount = 0;
    float ExplodeTime = 1.0f;  // seconds the gameplay screen waits after our death

    float Speed = 0.0f;
    float SpeedMax = 0.0f;
    Vector2 ExitPos;
    float ShotPoseTime = 0.7f;
    bool IsDead = false;
    float Acceleration = 150.0f;
    float Deceleration = 150.0f;
    float CursorDistance = 2.0f;
    bool HasMoved = false;

private:
    // Faces the aim; shows the cursor (when there is one) while armed and aiming.
    void Aim(GameObject* cursor);
    // The child "AimCursor", hidden; null when there is none.
    GameObject* HideAimCursor() const;
    // The velocity the movement actions give this pass.
    Vector2 Move();
    void StartRound();
    void TakeWeapon(GameObject& pickup);
    void ReachExit(GameObject& exit);
    // The weapon object of that type as our child; null without a description.
    GameObject* BuildWeapon(WeaponType weapon);
    B2FixtureCmp* FirstFixture() const;
};

extern PlayerBhv* gPlayer;
