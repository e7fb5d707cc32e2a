#include "physics/B2MainContactListener.h"

#include "physics/B2FixtureCmp.h"

namespace {

using CallbackSlot = ContactCallback B2FixtureCmp::*;

// Fixtures made without a component carry no user data and hear nothing.
void Notify(b2Contact* contact, b2Fixture* fixture, b2Fixture* other, CallbackSlot slot) {
    auto* component = reinterpret_cast<B2FixtureCmp*>(fixture->GetUserData().pointer);
    if (component != nullptr && component->*slot) {
        (component->*slot)(contact, other);
    }
}

void NotifyBoth(b2Contact* contact, CallbackSlot slot) {
    b2Fixture* a = contact->GetFixtureA();
    b2Fixture* b = contact->GetFixtureB();
    Notify(contact, a, b, slot);
    Notify(contact, b, a, slot);
}

}  // namespace

void B2MainContactListener::BeginContact(b2Contact* contact) {
    NotifyBoth(contact, &B2FixtureCmp::OnBeginContact);
}

void B2MainContactListener::EndContact(b2Contact*) {}

void B2MainContactListener::PreSolve(b2Contact* contact, const b2Manifold*) {
    NotifyBoth(contact, &B2FixtureCmp::OnPreSolve);
}

// Box2D's time-of-impact pass solves a contact with a static body again, up to eight
// more times, whenever the body ends the step pressed into it, and walks every contact
// of the world each time: a crowd pushed into walls and sacks made the step cost the
// square of its size. The step has solved these contacts already, and nothing but a
// bullet moves far enough in a step to pass through what it touches.
void B2MainContactListener::PostSolve(b2Contact* contact, const b2ContactImpulse*) {
    if (contact->GetFixtureA()->GetBody()->IsBullet() || contact->GetFixtureB()->GetBody()->IsBullet()) {
        return;
    }
    contact->SetEnabled(false);
    mSolved.push_back(contact);
}

void B2MainContactListener::StepWorld(b2World& world, float timeStep, int32 velocityIterations,
                                      int32 positionIterations) {
    world.Step(timeStep, velocityIterations, positionIterations);
    // No contact is destroyed inside a step, so every one is still there.
    for (b2Contact* contact : mSolved) {
        contact->SetEnabled(true);
    }
    mSolved.clear();
}
