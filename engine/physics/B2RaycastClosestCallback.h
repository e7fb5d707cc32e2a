#pragma once

#include <box2d/box2d.h>

#include "object/Vector2.h"

// Keeps the nearest hit of a b2World::RayCast. Set StaticOnly and clear Fixture before
// the cast; a null Fixture afterwards means nothing was hit.
class B2RaycastClosestCallback : public b2RayCastCallback {
public:
    float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal, float fraction) override;

    // Only fixtures of static bodies count (line of sight through moving things).
    bool StaticOnly = false;
    b2Fixture* Fixture = nullptr;
    Vector2 Point;
    Vector2 Normal;
    float Fraction = 1.0f;
};
