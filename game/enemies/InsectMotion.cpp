#include "game/enemies/InsectMotion.h"

#include <box2d/box2d.h>

#include <cmath>

#include "fx/AnimationManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2CollisionGroups.h"
#include "physics/B2FixtureCmp.h"

namespace {

constexpr float kPi = 3.14159265f;

}  // namespace

std::optional<float> MirrorHeading(b2Contact& contact, float rotation) {
    if (contact.GetManifold()->pointCount == 0) {
        return std::nullopt;
    }
    b2WorldManifold manifold;
    contact.GetWorldManifold(&manifold);
    const float normalAngle = std::atan2(manifold.normal.y, manifold.normal.x);
    const float back = WrapAngle(rotation - kPi);
    return 2.0f * normalAngle - back;
}

B2FixtureCmp* JoinInsectGroup(GameObject& object) {
    B2FixtureCmp* fixture = object.GetComponent<B2FixtureCmp>();
    if (fixture != nullptr) {
        fixture->SetCollisionGroup(CollisionGroupInsects);
    }
    return fixture;
}

GameObject* OwnerOfFixture(b2Fixture* fixture) {
    const auto* component = reinterpret_cast<const B2FixtureCmp*>(fixture->GetUserData().pointer);
    return component != nullptr ? component->Owner : nullptr;
}

void SetBodyVelocity(GameObject& object, Vector2 velocity) {
    if (object.B2Body == nullptr) {
        return;
    }
    b2Body* body = object.B2Body->EnsureBody();
    body->SetAngularVelocity(0.0f);
    body->SetLinearVelocity(b2Vec2(velocity.X, velocity.Y));
}

int FixedUpdateRate() {
    // The application hands its rate to the animation manager, whose files count in steps.
    return gAnimationManager != nullptr && gAnimationManager->UpdatesPerSecond > 0 ? gAnimationManager->UpdatesPerSecond
                                                                                   : 60;
}

int FixedStepsThisPass() {
    const float step = 1.0f / static_cast<float>(FixedUpdateRate());
    return static_cast<int>(CurrentFrameDelta() / step + 0.5f);
}
