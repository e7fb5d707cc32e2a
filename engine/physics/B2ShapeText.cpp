#include "physics/B2ShapeText.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "object/NumberText.h"

namespace {

constexpr std::array<std::pair<std::string_view, B2ShapeDesc::Kind>, 5> kKindWords = {{
    {"Box", B2ShapeDesc::Kind::Box},
    {"Polygon", B2ShapeDesc::Kind::Polygon},
    {"Circle", B2ShapeDesc::Kind::Circle},
    {"Edge", B2ShapeDesc::Kind::Edge},
    {"Chain", B2ShapeDesc::Kind::Chain},
}};

// Box2D welds polygon points closer than this, which would leave fewer vertices than
// the text has.
constexpr float kWeldDistanceSquared = (0.5f * b2_linearSlop) * (0.5f * b2_linearSlop);
// Box2D asserts an area above b2_epsilon; keep a margin for its float arithmetic.
constexpr double kMinPolygonArea = 2.0 * b2_epsilon;
// Far beyond any level, yet small enough that Box2D's float mass sums stay finite.
constexpr float kMaxShapeCoordinate = 1000.0f;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::vector<std::string_view> SplitAtSpaces(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) {
            ++i;
        }
        tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

std::optional<B2ShapeDesc::Kind> FindKind(std::string_view word) {
    for (const auto& [name, kind] : kKindWords) {
        if (word == name) {
            return kind;
        }
    }
    return std::nullopt;
}

// Cross product of (b - a) and (c - a), in double so that large coordinates cannot
// overflow and small ones keep their sign.
double Cross(Vector2 a, Vector2 b, Vector2 c) {
    return (static_cast<double>(b.X) - a.X) * (static_cast<double>(c.Y) - a.Y) -
           (static_cast<double>(b.Y) - a.Y) * (static_cast<double>(c.X) - a.X);
}

bool HasWeldedPoints(const std::vector<Vector2>& vertices) {
    for (size_t i = 0; i < vertices.size(); ++i) {
        for (size_t j = i + 1; j < vertices.size(); ++j) {
            const b2Vec2 a(vertices[i].X, vertices[i].Y);
            const b2Vec2 b(vertices[j].X, vertices[j].Y);
            if (b2DistanceSquared(a, b) < kWeldDistanceSquared) {
                return true;
            }
        }
    }
    return false;
}

// Every vertex strictly left of every edge it is not on: convex, counter-clockwise and
// winding once (a pentagram turns left at every corner but fails this).
bool IsStrictlyConvexCounterClockwise(const std::vector<Vector2>& vertices) {
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t next = (i + 1) % n;
        for (size_t k = 0; k < n; ++k) {
            if (k != i && k != next && Cross(vertices[i], vertices[next], vertices[k]) <= 0.0) {
                return false;
            }
        }
    }
    return true;
}

bool IsWithinLevelRange(float value) {
    return std::fabs(value) <= kMaxShapeCoordinate;
}

bool AreWithinLevelRange(const std::vector<Vector2>& vertices) {
    return std::all_of(vertices.begin(), vertices.end(),
                       [](Vector2 v) { return IsWithinLevelRange(v.X) && IsWithinLevelRange(v.Y); });
}

// The hull b2PolygonShape::Set finds, by the same gift wrapping in float: rightmost
// point first, then counter-clockwise, dropping points its float cross product puts on
// or inside an edge. Empty when the wrapping does not close within the vertex count,
// where Box2D would assert.
std::vector<b2Vec2> Box2dHull(const std::vector<Vector2>& vertices) {
    std::vector<b2Vec2> points;
    for (const Vector2& v : vertices) {
        points.emplace_back(v.X, v.Y);
    }
    const size_t n = points.size();
    size_t first = 0;
    for (size_t i = 1; i < n; ++i) {
        if (points[i].x > points[first].x || (points[i].x == points[first].x && points[i].y < points[first].y)) {
            first = i;
        }
    }
    std::vector<b2Vec2> hull;
    size_t current = first;
    do {
        if (hull.size() == n) {
            return {};
        }
        hull.push_back(points[current]);
        size_t next = 0;
        for (size_t j = 1; j < n; ++j) {
            if (next == current) {
                next = j;
                continue;
            }
            const b2Vec2 r = points[next] - points[current];
            const b2Vec2 v = points[j] - points[current];
            const float c = b2Cross(r, v);
            if (c < 0.0f || (c == 0.0f && v.LengthSquared() > r.LengthSquared())) {
                next = j;
            }
        }
        current = next;
    } while (current != first);
    return hull;
}

// Area and inertia about the centroid at density 1, summed in float from the first
// point as Box2D's mass computation does, and then taken to the centroid the way a
// body's mass reset does. Far from the origin a small polygon loses its inertia to
// that subtraction and Box2D asserts.
struct FloatMass {
    float Area = 0.0f;
    float CentroidInertia = 0.0f;
};

FloatMass Box2dMass(const std::vector<b2Vec2>& hull) {
    const b2Vec2 s = hull[0];
    const float third = 1.0f / 3.0f;
    b2Vec2 center(0.0f, 0.0f);
    float area = 0.0f;
    float inertia = 0.0f;
    for (size_t i = 0; i < hull.size(); ++i) {
        const b2Vec2 e1 = hull[i] - s;
        const b2Vec2 e2 = (i + 1 < hull.size() ? hull[i + 1] : hull[0]) - s;
        const float d = b2Cross(e1, e2);
        area += 0.5f * d;
        center += (0.5f * d * third) * (e1 + e2);
        const float intx2 = e1.x * e1.x + e2.x * e1.x + e2.x * e2.x;
        const float inty2 = e1.y * e1.y + e2.y * e1.y + e2.y * e2.y;
        inertia += (0.25f * third * d) * (intx2 + inty2);
    }
    FloatMass mass;
    mass.Area = area;
    if (!(area > b2_epsilon)) {
        return mass;
    }
    center *= 1.0f / area;
    const b2Vec2 worldCenter = center + s;
    const float aboutOrigin = inertia + area * (b2Dot(worldCenter, worldCenter) - b2Dot(center, center));
    mass.CentroidInertia = aboutOrigin - area * b2Dot(worldCenter, worldCenter);
    return mass;
}

// The same inertia in double, about the centroid, for comparison.
double ExactCentroidInertia(const std::vector<Vector2>& vertices) {
    const Vector2 s = vertices[0];
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    double inertia = 0.0;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Vector2& a = vertices[i];
        const Vector2& b = i + 1 < vertices.size() ? vertices[i + 1] : vertices[0];
        const double x1 = static_cast<double>(a.X) - s.X;
        const double y1 = static_cast<double>(a.Y) - s.Y;
        const double x2 = static_cast<double>(b.X) - s.X;
        const double y2 = static_cast<double>(b.Y) - s.Y;
        const double d = x1 * y2 - y1 * x2;
        area += 0.5 * d;
        cx += d / 6.0 * (x1 + x2);
        cy += d / 6.0 * (y1 + y2);
        inertia += d / 12.0 * (x1 * x1 + x2 * x1 + x2 * x2 + y1 * y1 + y2 * y1 + y2 * y2);
    }
    cx /= area;
    cy /= area;
    return inertia - area * (cx * cx + cy * cy);
}

// Whether Box2D, working in float, keeps every vertex and finds a mass it accepts with
// a margin: a float inertia within half of the exact one either way.
bool Box2dAcceptsInFloat(const std::vector<Vector2>& vertices) {
    const std::vector<b2Vec2> hull = Box2dHull(vertices);
    if (hull.size() != vertices.size()) {
        return false;
    }
    const FloatMass mass = Box2dMass(hull);
    if (!(mass.Area > kMinPolygonArea)) {
        return false;
    }
    const double exact = ExactCentroidInertia(vertices);
    return mass.CentroidInertia > 0.0f && std::fabs(mass.CentroidInertia - exact) <= 0.5 * exact;
}

double Area(const std::vector<Vector2>& vertices) {
    double twiceArea = 0.0;
    for (size_t i = 1; i + 1 < vertices.size(); ++i) {
        twiceArea += Cross(vertices[0], vertices[i], vertices[i + 1]);
    }
    return 0.5 * twiceArea;
}

std::optional<std::vector<float>> ParseNumbers(const std::vector<std::string_view>& tokens) {
    std::vector<float> numbers;
    numbers.reserve(tokens.size());
    for (std::string_view token : tokens) {
        const std::optional<float> value = ParseFloat(token);
        if (!value) {
            return std::nullopt;
        }
        numbers.push_back(*value);
    }
    return numbers;
}

std::optional<B2ShapeDesc> MakeDesc(B2ShapeDesc::Kind kind, const std::vector<float>& numbers) {
    B2ShapeDesc shape;
    shape.ShapeKind = kind;
    switch (kind) {
        case B2ShapeDesc::Kind::Box:
            if (numbers.size() < 2 || !(numbers[0] > 0.0f) || !(numbers[1] > 0.0f) || !IsWithinLevelRange(numbers[0]) ||
                !IsWithinLevelRange(numbers[1])) {
                return std::nullopt;
            }
            shape.HalfWidth = numbers[0];
            shape.HalfHeight = numbers[1];
            // A box too small for Box2D's mass computation is refused like such a polygon.
            if (!IsUsablePolygon(shape.AsPolygon().Vertices)) {
                return std::nullopt;
            }
            return shape;
        case B2ShapeDesc::Kind::Polygon:
            for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
                shape.Vertices.emplace_back(numbers[i], numbers[i + 1]);
            }
            if (!IsUsablePolygon(shape.Vertices)) {
                return std::nullopt;
            }
            return shape;
        case B2ShapeDesc::Kind::Circle:
            if (!IsUsableCircleRadius(numbers[0])) {
                return std::nullopt;
            }
            shape.Radius = numbers[0];
            return shape;
        case B2ShapeDesc::Kind::Edge:
        case B2ShapeDesc::Kind::Chain: return shape;
    }
    return std::nullopt;
}

}  // namespace

B2ShapeDesc B2ShapeDesc::AsPolygon() const {
    if (ShapeKind != Kind::Box) {
        return *this;
    }
    B2ShapeDesc polygon;
    polygon.ShapeKind = Kind::Polygon;
    // b2PolygonShape::SetAsBox's order: counter-clockwise from the lower left.
    polygon.Vertices = {
        {-HalfWidth, -HalfHeight}, {HalfWidth, -HalfHeight}, {HalfWidth, HalfHeight}, {-HalfWidth, HalfHeight}};
    return polygon;
}

std::optional<B2ShapeDesc> ParseShapeText(std::string_view text) {
    // The kind word comes first: no leading space.
    if (text.empty() || IsSpace(text.front())) {
        return std::nullopt;
    }
    const std::vector<std::string_view> tokens = SplitAtSpaces(text);
    if (tokens.size() < 2) {
        return std::nullopt;
    }
    const std::optional<B2ShapeDesc::Kind> kind = FindKind(tokens[0]);
    if (!kind) {
        return std::nullopt;
    }
    const std::optional<std::vector<float>> numbers =
        ParseNumbers(std::vector<std::string_view>(tokens.begin() + 1, tokens.end()));
    if (!numbers) {
        return std::nullopt;
    }
    return MakeDesc(*kind, *numbers);
}

std::string FormatShapeText(const B2ShapeDesc& shape) {
    switch (shape.ShapeKind) {
        case B2ShapeDesc::Kind::Box: return "Box " + FloatToText(shape.HalfWidth) + " " + FloatToText(shape.HalfHeight);
        case B2ShapeDesc::Kind::Polygon: {
            std::string text = "Polygon";
            for (const Vector2& v : shape.Vertices) {
                text.append(" ").append(FloatToText(v.X)).append(" ").append(FloatToText(v.Y));
            }
            return text;
        }
        case B2ShapeDesc::Kind::Circle: return "Circle " + FloatToText(shape.Radius);
        case B2ShapeDesc::Kind::Edge:
        case B2ShapeDesc::Kind::Chain: break;
    }
    return std::string();
}

bool IsUsablePolygon(const std::vector<Vector2>& vertices) {
    if (vertices.size() < 3 || vertices.size() > static_cast<size_t>(b2_maxPolygonVertices)) {
        return false;
    }
    return AreWithinLevelRange(vertices) && !HasWeldedPoints(vertices) && IsStrictlyConvexCounterClockwise(vertices) &&
           Area(vertices) > kMinPolygonArea && Box2dAcceptsInFloat(vertices);
}

bool IsUsableCircleRadius(float radius) {
    // The area must clear Box2D's epsilon like a polygon's, in float.
    return radius > 0.0f && IsWithinLevelRange(radius) && b2_pi * radius * radius > kMinPolygonArea;
}

std::unique_ptr<b2Shape> MakeB2Shape(const B2ShapeDesc& shape) {
    switch (shape.ShapeKind) {
        case B2ShapeDesc::Kind::Box: {
            if (!IsUsablePolygon(shape.AsPolygon().Vertices)) {
                return nullptr;
            }
            auto box = std::make_unique<b2PolygonShape>();
            box->SetAsBox(shape.HalfWidth, shape.HalfHeight);
            return box;
        }
        case B2ShapeDesc::Kind::Polygon: {
            // Box2D asserts on anything else, and the array holds at most 8.
            if (!IsUsablePolygon(shape.Vertices)) {
                return nullptr;
            }
            std::array<b2Vec2, b2_maxPolygonVertices> points;
            const int32 count = static_cast<int32>(shape.Vertices.size());
            for (int32 i = 0; i < count; ++i) {
                points[i].Set(shape.Vertices[i].X, shape.Vertices[i].Y);
            }
            auto polygon = std::make_unique<b2PolygonShape>();
            polygon->Set(points.data(), count);
            return polygon;
        }
        case B2ShapeDesc::Kind::Circle: {
            if (!IsUsableCircleRadius(shape.Radius)) {
                return nullptr;
            }
            auto circle = std::make_unique<b2CircleShape>();
            circle->m_radius = shape.Radius;
            return circle;
        }
        case B2ShapeDesc::Kind::Edge:
        case B2ShapeDesc::Kind::Chain: break;
    }
    return nullptr;
}
