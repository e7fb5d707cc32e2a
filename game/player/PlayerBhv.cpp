#include "game/player/PlayerBhv.h"

#include <box2d/box2d.h>

#include <cmath>
#include <utility>

#include "game/GameEffects.h"
#include "game/GameMath.h"
#include "game/levels/ExitBhv.h"
#include "game/pickups/Pkup_PillBhv.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/weapons/WeaponCmp.h"
#include "game/weapons/WeaponFiring.h"
#include "game/weapons/WeaponsListBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/TweensBhv.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2CollisionGroups.h"
#include "physics/B2FixtureCmp.h"
#include "render/SpriteCmp.h"

PlayerBhv* gPlayer = nullptr;

namespace {

void SwitchOff(GameObject* object) {
    if (object != nullptr) {
        object->InputEnabled = 0;
        object->UpdateEnabled = 0;
        object->DrawEnabled = 0;
    }
}

void StopBody(GameObject& object) {
    if (object.B2Body != nullptr) {
        b2Body* body = object.B2Body->EnsureBody();
        body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
        body->SetAngularVelocity(0.0f);
    }
}

Vector2 BodyVelocity(const GameObject& object) {
    if (object.B2Body == nullptr) {
        return Vector2();
    }
    const b2Vec2 v = object.B2Body->EnsureBody()->GetLinearVelocity();
    return Vector2(v.x, v.y);
}

// The letters typed into an editor field are the field's, not the player's; those
// struck after it let go are the player's.
bool ActionHeld(InputAction action) {
    return gInputManager != nullptr && gInputManager->IsUnclaimedActionHeld(action);
}

}  // namespace

PlayerBhv::PlayerBhv() {
    RegisterProperty(&SpeedMax, "SpeedMax");
    RegisterProperty(&Acceleration, "Acceleration");
    RegisterProperty(&Deceleration, "Deceleration");
    RegisterProperty(&AmmoCount, "AmmoCount");
    RegisterProperty(&ExplodeTime, "ExplodeTime");
    RegisterProperty(&ShotPoseTime, "ShotPoseTime");
    RegisterProperty(&CursorDistance, "CursorDistance");
}

PlayerBhv::~PlayerBhv() {
    if (gPlayer == this) {
        gPlayer = nullptr;
    }
}

void PlayerBhv::Start() {
    gPlayer = this;
    if (B2FixtureCmp* fixture = FirstFixture()) {
        fixture->OnBeginContact = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
        fixture->SetCollisionGroup(CollisionGroupPlayer);
    }
    HideAimCursor();
}

void PlayerBhv::Update() {
    if (Sprite != nullptr) {
        Sprite->SetImageName(WeaponObject != nullptr ? "Player_0001" : "Player_0000");
    }
    // Each input pass hides the cursor before it may show it again; once the level stops
    // our input (inside the exit, under the end panel) no pass comes to hide it.
    if (!Owner->IsInputEnabledInHierarchy()) {
        HideAimCursor();
    }
}

void PlayerBhv::HandleInput() {
    GameObject* cursor = HideAimCursor();
    if (IsDead) {
        StopBody(*Owner);
        Owner->InputEnabled = 0;
        return;
    }
    Aim(cursor);
    const Vector2 velocity = Move();
    SetObjectVelocity(*Owner, velocity);
    if (gInputManager != nullptr && gInputManager->IsUnclaimedActionPressed(InputAction::MenuReplay)) {
        IsDead = true;
        if (gGameplayScreen != nullptr) {
            gGameplayScreen->Replay();
        }
    }
}

void PlayerBhv::Aim(GameObject* cursor) {
    const Vector2 aim = gAimManager != nullptr ? gAimManager->Aim : Vector2(0.0f, 1.0f);
    Owner->SetRotation(std::atan2(aim.Y, aim.X));
    if (cursor != nullptr && gAimManager != nullptr && gAimManager->AimMode && WeaponObject != nullptr) {
        cursor->SetPos(aim * CursorDistance);
        cursor->DrawEnabled = 1;
    }
}

GameObject* PlayerBhv::HideAimCursor() const {
    GameObject* cursor = Owner->FindChild("AimCursor");
    if (cursor != nullptr) {
        cursor->DrawEnabled = 0;
    }
    return cursor;
}

Vector2 PlayerBhv::Move() {
    Vector2 input;
    if (ActionHeld(InputAction::MoveUp))
        input.Y += 1.0f;
    if (ActionHeld(InputAction::MoveDown))
        input.Y -= 1.0f;
    if (ActionHeld(InputAction::MoveLeft))
        input.X = -1.0f;
    if (ActionHeld(InputAction::MoveRight))
        input.X += 1.0f;

    const float delta = CurrentFrameDelta();
    if (input.X * input.X + input.Y * input.Y == 0.0f) {
        Speed -= Deceleration * delta;
        if (Speed < 0.0f) {
            Speed = 0.0f;
        }
        // Coasting keeps the body's own direction, whatever turned it.
        return UnitOrSame(BodyVelocity(*Owner)) * Speed;
    }
    if (!HasMoved) {
        StartRound();
    }
    Speed += Acceleration * delta;
    if (Speed > SpeedMax) {
        Speed = SpeedMax;
    }
    return UnitOrSame(input) * Speed;
}

void PlayerBhv::StartRound() {
    HasMoved = true;
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->RoundActive = 1;
        gGameplayScreen->TimerRunning = 1;
    }
    SwitchOff(Owner->FindChild("ReadyPrompt"));
}

void PlayerBhv::OnContact(b2Contact* /*contact*/, b2Fixture* other) {
    auto* otherFixture = reinterpret_cast<B2FixtureCmp*>(other->GetUserData().pointer);
    if (otherFixture == nullptr || otherFixture->Owner == nullptr) {
        return;
    }
    // A dead player, or one inside the exit, collects nothing.
    if (IsDead) {
        return;
    }
    GameObject& object = *otherFixture->Owner;
    if (object.GetComponent<Pkup_WeaponBhv>() != nullptr) {
        TakeWeapon(object);
    } else if (object.GetComponent<Pkup_PillBhv>() != nullptr) {
        object.Destroy();
        if (gGameplayScreen != nullptr) {
            gGameplayScreen->StartPillMode();
        }
    } else if (object.GetComponent<ExitBhv>() != nullptr) {
        ReachExit(object);
    }
}

void PlayerBhv::TakeWeapon(GameObject& pickupObject) {
    Pkup_WeaponBhv& pickup = *pickupObject.GetComponent<Pkup_WeaponBhv>();
    if (WeaponObject == nullptr) {
        WeaponObject = BuildWeapon(pickup.Weapon);
        if (WeaponObject == nullptr) {
            return;
        }
        Weapon = pickup.Weapon;
        AmmoCount = pickup.AmmoCount;
        pickupObject.Destroy();
    } else if (pickup.Weapon == Weapon) {
        AmmoCount += pickup.AmmoCount;
        pickupObject.Destroy();
    } else {
        GameObject* replacement = BuildWeapon(pickup.Weapon);
        if (replacement == nullptr) {
            return;
        }
        WeaponObject->Destroy();
        WeaponObject = replacement;
        // The pick-up stays and now offers the old weapon with its remaining shots.
        std::swap(AmmoCount, pickup.AmmoCount);
        std::swap(Weapon, pickup.Weapon);
    }
    PlayGameCue("PistolPickup");
}

GameObject* PlayerBhv::BuildWeapon(WeaponType weapon) {
    const WeaponCmp* description = FindWeaponDescription(weapon);
    if (description == nullptr) {
        return nullptr;
    }
    // Built inside the physics step: a held weapon has no body.
    return BuildChildFromPrefab(description->PrefabName, *Owner);
}

void PlayerBhv::ReachExit(GameObject& exit) {
    ExitPos = exit.GetPos() + Vector2::Rotate(Vector2(0.0f, 0.3f), exit.GetRotation());
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->OnExitReached();
    }
    IsDead = true;
}

void PlayerBhv::Die() {
    if (!Owner->DrawEnabled) {
        return;
    }
    Owner->DrawEnabled = 0;
    PlayGameCue("PlayerDie");
    SpawnGameParticle("Pcl_PlayerChunks", Owner->GetPos());
}

CoCommand PlayerBhv::EnterExitCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    // Started from the exit's contact, inside the physics step, where bodies cannot be
    // moved: the work waits for the next tick.
    if (step == 0) {
        return CoNextTick();
    }
    if (Tweens != nullptr && Sprite != nullptr) {
        Tweens->TweenVector2(&Sprite->Size, TweenEasing::EaseInOut, Vector2(0.0f, 0.0f), nullptr, 0.5f);
    }
    if (B2FixtureCmp* fixture = FirstFixture(); fixture != nullptr && fixture->Fixture != nullptr) {
        fixture->Fixture->SetSensor(true);
    }
    Owner->SetPos(ExitPos);
    StopBody(*Owner);
    return CoStop();
}

B2FixtureCmp* PlayerBhv::FirstFixture() const {
    return Owner->GetComponent<B2FixtureCmp>();
}
