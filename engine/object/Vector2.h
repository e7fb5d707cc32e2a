#pragma once

// A 2D vector or point. Angles are radians; a positive angle turns +X towards +Y.
struct Vector2 {
    float X = 0.0f;
    float Y = 0.0f;

    constexpr Vector2() = default;
    constexpr Vector2(float x, float y) : X(x), Y(y) {}

    constexpr Vector2 operator+(Vector2 b) const { return {X + b.X, Y + b.Y}; }
    constexpr Vector2 operator-(Vector2 b) const { return {X - b.X, Y - b.Y}; }
    constexpr Vector2 operator-() const { return {-X, -Y}; }
    // Component-wise product.
    constexpr Vector2 operator*(Vector2 b) const { return {X * b.X, Y * b.Y}; }
    constexpr Vector2 operator*(float s) const { return {X * s, Y * s}; }
    constexpr Vector2 operator/(float s) const { return {X / s, Y / s}; }

    // The compound forms return a copy of the new value, not a reference.
    Vector2 operator+=(Vector2 b) {
        X += b.X;
        Y += b.Y;
        return *this;
    }
    Vector2 operator-=(Vector2 b) {
        X -= b.X;
        Y -= b.Y;
        return *this;
    }
    void operator*=(float s) {
        X *= s;
        Y *= s;
    }
    void operator/=(float s) {
        X /= s;
        Y /= s;
    }

    constexpr bool operator==(const Vector2&) const = default;

    // v turned by angle a about the origin.
    static Vector2 Rotate(Vector2 v, float a);
    // The unit vector at angle a: (cos a, sin a).
    static Vector2 FromAngle(float a);
};
