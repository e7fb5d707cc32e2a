#include "game/enemies/En_ChaserBhv.h"

#include <box2d/box2d.h>

#include <cmath>

#include "game/GameMath.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/weapons/WeaponFiring.h"
#include "object/GameObject.h"
#include "physics/B2RaycastClosestCallback.h"
#include "physics/PhysicsWorld.h"

namespace {

constexpr float kPi = 3.14159265f;
// Box2D asserts on a ray of zero length; closer than this the player is in sight.
constexpr float kSameSpotDistance = 1e-3f;

}  // namespace

En_ChaserBhv::En_ChaserBhv() {
    RegisterProperty(&LosUpdateInterval, "LosUpdateInterval");
    RegisterProperty(&SeekSpeed, "SeekSpeed");
    RegisterProperty(&PillSpeedAmount, "PillSpeedAmount");
}

void En_ChaserBhv::Start() {
    Coroutine* sight = FindOrCreateCoroutine(&En_ChaserBhv::LineOfSightCoroutine);
    sight->Stop();
    sight->StepIndex = 0;
    sight->SecondsLeft = 0.0f;
    sight->FramesLeft = 0;
    sight->Running = true;
}

void En_ChaserBhv::Update() {
    if (gPlayer == nullptr) {
        Owner->UpdateEnabled = 0;
        return;
    }
    if (gGameplayScreen == nullptr || !gGameplayScreen->RoundActive || !mHasLineOfSight) {
        return;
    }
    const Vector2 toPlayer = UnitUnlessZero(gPlayer->Owner->GetPos() - Owner->GetPos());
    Vector2 velocity = toPlayer * SeekSpeed;
    float facing = std::atan2(toPlayer.Y, toPlayer.X);
    if (gGameplayScreen->PillMode) {
        velocity = velocity * -PillSpeedAmount;
        facing = WrapAngle(facing + kPi);
    }
    SetObjectVelocity(*Owner, velocity);
    Owner->SetRotation(facing);
}

bool En_ChaserBhv::SeesPlayer() const {
    const Vector2 from = Owner->GetPos();
    const Vector2 to = gPlayer->Owner->GetPos();
    if (Length(to - from) < kSameSpotDistance) {
        return true;
    }
    B2RaycastClosestCallback closest;
    closest.StaticOnly = true;
    gPhysicsWorld->RayCast(&closest, b2Vec2(from.X, from.Y), b2Vec2(to.X, to.Y));
    return closest.Fixture == nullptr;
}

CoCommand En_ChaserBhv::LineOfSightCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            // Without a player or a world the last answer stands.
            if (gPlayer != nullptr && gPhysicsWorld != nullptr) {
                mHasLineOfSight = SeesPlayer();
            }
            return CoWaitSeconds(LosUpdateInterval);
        default: return CoRestart();
    }
}
