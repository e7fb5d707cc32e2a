#pragma once

#include "object/Vector2.h"

class b2World;

// Whether a disc overlaps the exact shape of any fixture in the world, sensors
// included: the test for room to put something new.
bool DiscOverlapsAnyFixture(const b2World& world, Vector2 centre, float radius);
