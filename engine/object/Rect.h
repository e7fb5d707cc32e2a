#pragma once

#include "object/Vector2.h"

// An axis-aligned rectangle; (X, Y) is the minimum corner.
struct Rect {
    float X = 0.0f;
    float Y = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;

    constexpr Rect() = default;
    constexpr Rect(float x, float y, float width, float height) : X(x), Y(y), Width(width), Height(height) {}

    // Half-open: the minimum edges are inside, the maximum edges are not, so two
    // rectangles that share an edge never both contain a point on it.
    constexpr bool Contains(Vector2 p) const { return X <= p.X && p.X < X + Width && Y <= p.Y && p.Y < Y + Height; }

    constexpr bool operator==(const Rect&) const = default;
};
