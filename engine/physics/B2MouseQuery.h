#pragma once

#include <box2d/box2d.h>

#include "object/Vector2.h"

// Marks the FixtureMouseListenerBhv of every object one of whose fixtures a query
// reports. Made on the stack for one query.
class MouseQueryCallback : public b2QueryCallback {
public:
    // Always true: the query goes on to every fixture.
    bool ReportFixture(b2Fixture* fixture) override;
};

// Half the side of the square asked about around the mouse, in world units.
constexpr float MouseQueryHalfSize = 0.0625f;

// Queries the square around worldPoint. Box2D reports fixtures whose fattened
// broad-phase box overlaps it, not only those whose exact shape does.
void MarkFixturesUnderMouse(b2World& world, Vector2 worldPoint);
