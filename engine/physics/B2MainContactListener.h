#pragma once

#include <box2d/box2d.h>

#include <vector>

// The world's one contact listener: hands Box2D's contact events to the callbacks that
// behaviours bound on the fixtures' B2FixtureCmp components.
class B2MainContactListener : public b2ContactListener {
public:
    // Each fixture's OnBeginContact, A's first, gets the other fixture.
    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;
    // Each fixture's OnPreSolve, A's first, gets the other fixture.
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    // Keeps a contact the step has just solved out of the step's time-of-impact pass,
    // unless a bullet is in it.
    void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;

    // One step of the world whose listener this is. The contacts kept out of its
    // time-of-impact pass are switched on again before it returns, so they take part
    // in the next step as Box2D left them; a bare b2World::Step would leave them off
    // and this list pointing at contacts the next step may destroy.
    void StepWorld(b2World& world, float timeStep, int32 velocityIterations, int32 positionIterations);

private:
    std::vector<b2Contact*> mSolved;
};
