#include "game/GameMath.h"

#include <cmath>
#include <limits>

float Length(Vector2 v) {
    return std::sqrt(v.X * v.X + v.Y * v.Y);
}

Vector2 UnitOrSame(Vector2 v) {
    const float length = Length(v);
    if (length < std::numeric_limits<float>::epsilon()) {
        return v;
    }
    return v * (1.0f / length);
}

Vector2 Lerp(Vector2 a, Vector2 b, float t) {
    return a * (1.0f - t) + b * t;
}

Vector2 UnitUnlessZero(Vector2 v) {
    const float length = Length(v);
    return length != 0.0f ? v * (1.0f / length) : v;
}
