#pragma once

#include "tools/draw/Vec2.h"

#include <functional>
#include <vector>

namespace qv::tools {

// A shape as a signed distance: negative inside, positive outside, zero on the
// edge. Edges are anti-aliased by turning the distance at a pixel centre into
// coverage, so shapes never need supersampling. Bounds limit the pixels visited.
class Sdf {
public:
    using Function = std::function<float(Vec2)>;

    Sdf(Function distance, Box bounds) : mDistance(std::move(distance)), mBounds(bounds) {}

    float operator()(Vec2 p) const { return mDistance(p); }
    const Box& Bounds() const { return mBounds; }

private:
    Function mDistance;
    Box mBounds;
};

Sdf Circle(Vec2 centre, float radius);
Sdf Ellipse(Vec2 centre, Vec2 radii, float angle = 0);
// A segment swept by a radius that changes linearly from ra at a to rb at b: legs, antennae, tails.
Sdf Capsule(Vec2 a, Vec2 b, float ra, float rb);
inline Sdf Capsule(Vec2 a, Vec2 b, float radius) {
    return Capsule(a, b, radius, radius);
}
Sdf RoundBox(Vec2 centre, Vec2 halfSize, float cornerRadius, float angle = 0);
// A simple polygon, points in either winding order.
Sdf Polygon(std::vector<Vec2> points);
Sdf Star(Vec2 centre, float outerRadius, float innerRadius, int points, float angle = 0);

Sdf Union(const Sdf& a, const Sdf& b);
Sdf Union(const std::vector<Sdf>& shapes);
Sdf Subtract(const Sdf& from, const Sdf& cut);
Sdf Intersect(const Sdf& a, const Sdf& b);
// The band of the given half width around the shape's edge.
Sdf Outline(const Sdf& shape, float halfWidth);
// The shape grown outwards (shrunk for a negative amount).
Sdf Grow(const Sdf& shape, float amount);

}  // namespace qv::tools
