#pragma once

#include "object/Vector2.h"

// Vector helpers of the gameplay code.

float Length(Vector2 v);
// v scaled to length 1; v unchanged when it is shorter than the float epsilon, as
// Box2D's normalisation leaves it.
Vector2 UnitOrSame(Vector2 v);
// a (1 - t) + b t.
Vector2 Lerp(Vector2 a, Vector2 b, float t);
// v scaled to length 1; v unchanged only when its length is exactly 0.
Vector2 UnitUnlessZero(Vector2 v);
// An angle in radians brought into [-pi, pi).
float WrapAngle(float angle);
