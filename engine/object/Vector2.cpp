#include "object/Vector2.h"

#include <cmath>

Vector2 Vector2::Rotate(Vector2 v, float a) {
    const float c = std::cos(a);
    const float s = std::sin(a);
    return {v.X * c - v.Y * s, v.Y * c + v.X * s};
}

Vector2 Vector2::FromAngle(float a) {
    return Rotate(Vector2(1.0f, 0.0f), a);
}
