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

float WrapAngle(float angle) {
    constexpr float kPi = 3.14159265f;
    float wrapped = std::fmod(angle + kPi, 2.0f * kPi);
    if (wrapped < 0.0f) {
        wrapped += 2.0f * kPi;
    }
    return wrapped - kPi;
}
