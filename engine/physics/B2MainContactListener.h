#pragma once

#include <box2d/box2d.h>

// The world's one contact listener: hands Box2D's contact events to the callbacks that
// behaviours bound on the fixtures' B2FixtureCmp components.
class B2MainContactListener : public b2ContactListener {
public:
    // Each fixture's OnBeginContact, A's first, gets the other fixture.
    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;
    // Each fixture's OnPreSolve, A's first, gets the other fixture.
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;
};
