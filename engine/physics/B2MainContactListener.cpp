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

void B2MainContactListener::PostSolve(b2Contact*, const b2ContactImpulse*) {}
