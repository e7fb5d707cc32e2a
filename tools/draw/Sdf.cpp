#include "tools/draw/Sdf.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qv::tools {

namespace {

Box BoxAround(Vec2 centre, float radius) {
    return {{centre.X - radius, centre.Y - radius}, {centre.X + radius, centre.Y + radius}};
}

Box Merge(const Box& a, const Box& b) {
    return {{std::min(a.Min.X, b.Min.X), std::min(a.Min.Y, b.Min.Y)},
            {std::max(a.Max.X, b.Max.X), std::max(a.Max.Y, b.Max.Y)}};
}

Box Overlap(const Box& a, const Box& b) {
    return {{std::max(a.Min.X, b.Min.X), std::max(a.Min.Y, b.Min.Y)},
            {std::min(a.Max.X, b.Max.X), std::min(a.Max.Y, b.Max.Y)}};
}

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 pa = p - a, ba = b - a;
    const float h = std::clamp(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-12f), 0.0f, 1.0f);
    return Length(pa - ba * h);
}

}  // namespace

Sdf Circle(Vec2 centre, float radius) {
    return Sdf([=](Vec2 p) { return Length(p - centre) - radius; }, BoxAround(centre, radius));
}

Sdf Ellipse(Vec2 centre, Vec2 radii, float angle) {
    // Close to the true distance near the edge, which is all the coverage needs.
    return Sdf(
        [=](Vec2 p) {
            const Vec2 q = Rotate(p - centre, -angle);
            const float k0 = Length({q.X / radii.X, q.Y / radii.Y});
            const float k1 = Length({q.X / (radii.X * radii.X), q.Y / (radii.Y * radii.Y)});
            return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(radii.X, radii.Y);
        },
        BoxAround(centre, std::max(radii.X, radii.Y)));
}

Sdf Capsule(Vec2 a, Vec2 b, float ra, float rb) {
    const float reach = std::max(ra, rb);
    Box bounds = Merge(BoxAround(a, reach), BoxAround(b, reach));
    return Sdf(
        [=](Vec2 p) {
            const Vec2 pa = p - a, ba = b - a;
            const float h = std::clamp(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-12f), 0.0f, 1.0f);
            return Length(pa - ba * h) - (ra + (rb - ra) * h);
        },
        bounds);
}

Sdf RoundBox(Vec2 centre, Vec2 halfSize, float cornerRadius, float angle) {
    const float reach = Length(halfSize);
    return Sdf(
        [=](Vec2 p) {
            const Vec2 q = Rotate(p - centre, -angle);
            const Vec2 d{std::abs(q.X) - halfSize.X + cornerRadius, std::abs(q.Y) - halfSize.Y + cornerRadius};
            const Vec2 outside{std::max(d.X, 0.0f), std::max(d.Y, 0.0f)};
            return Length(outside) + std::min(std::max(d.X, d.Y), 0.0f) - cornerRadius;
        },
        BoxAround(centre, reach));
}

Sdf Polygon(std::vector<Vec2> points) {
    if (points.size() < 3)
        throw std::invalid_argument("Polygon needs at least three points");
    Box bounds{points[0], points[0]};
    for (const Vec2& p : points)
        bounds = Merge(bounds, Box{p, p});
    return Sdf(
        [pts = std::move(points)](Vec2 p) {
            float nearest = 1e30f;
            bool inside = false;
            for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                nearest = std::min(nearest, SegmentDistance(p, pts[j], pts[i]));
                const bool crosses = (pts[i].Y > p.Y) != (pts[j].Y > p.Y);
                if (crosses && p.X < (pts[j].X - pts[i].X) * (p.Y - pts[i].Y) / (pts[j].Y - pts[i].Y) + pts[i].X) {
                    inside = !inside;
                }
            }
            return inside ? -nearest : nearest;
        },
        bounds);
}

Sdf Star(Vec2 centre, float outerRadius, float innerRadius, int points, float angle) {
    std::vector<Vec2> corners;
    for (int i = 0; i < points * 2; ++i) {
        const float radius = (i % 2 == 0) ? outerRadius : innerRadius;
        corners.push_back(centre + FromAngle(angle + kPi * i / points, radius));
    }
    return Polygon(std::move(corners));
}

Sdf Union(const Sdf& a, const Sdf& b) {
    return Sdf([=](Vec2 p) { return std::min(a(p), b(p)); }, Merge(a.Bounds(), b.Bounds()));
}

Sdf Union(const std::vector<Sdf>& shapes) {
    if (shapes.empty())
        throw std::invalid_argument("Union of no shapes");
    Box bounds = shapes[0].Bounds();
    for (const Sdf& s : shapes)
        bounds = Merge(bounds, s.Bounds());
    return Sdf(
        [=](Vec2 p) {
            float d = 1e30f;
            for (const Sdf& s : shapes)
                d = std::min(d, s(p));
            return d;
        },
        bounds);
}

Sdf Subtract(const Sdf& from, const Sdf& cut) {
    return Sdf([=](Vec2 p) { return std::max(from(p), -cut(p)); }, from.Bounds());
}

Sdf Intersect(const Sdf& a, const Sdf& b) {
    return Sdf([=](Vec2 p) { return std::max(a(p), b(p)); }, Overlap(a.Bounds(), b.Bounds()));
}

Sdf Outline(const Sdf& shape, float halfWidth) {
    return Sdf([=](Vec2 p) { return std::abs(shape(p)) - halfWidth; }, Grown(shape.Bounds(), halfWidth));
}

Sdf Grow(const Sdf& shape, float amount) {
    return Sdf([=](Vec2 p) { return shape(p) - amount; }, Grown(shape.Bounds(), std::max(amount, 0.0f)));
}

}  // namespace qv::tools
