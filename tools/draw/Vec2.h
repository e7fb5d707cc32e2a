#pragma once

#include <cmath>

namespace qv::tools {

struct Vec2 {
    float X = 0;
    float Y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.X + b.X, a.Y + b.Y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.X - b.X, a.Y - b.Y};
}
inline Vec2 operator*(Vec2 a, float k) {
    return {a.X * k, a.Y * k};
}
inline Vec2 operator*(float k, Vec2 a) {
    return {a.X * k, a.Y * k};
}
inline float Dot(Vec2 a, Vec2 b) {
    return a.X * b.X + a.Y * b.Y;
}
inline float Length(Vec2 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec2 Rotate(Vec2 a, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {a.X * c - a.Y * s, a.X * s + a.Y * c};
}
inline Vec2 FromAngle(float angle, float length = 1) {
    return {std::cos(angle) * length, std::sin(angle) * length};
}

// Axis-aligned bounds of a shape, used to limit the pixels a shape visits.
struct Box {
    Vec2 Min;
    Vec2 Max;
};

inline Box Grown(Box b, float amount) {
    return {{b.Min.X - amount, b.Min.Y - amount}, {b.Max.X + amount, b.Max.Y + amount}};
}

constexpr float kPi = 3.14159265358979f;

}  // namespace qv::tools
