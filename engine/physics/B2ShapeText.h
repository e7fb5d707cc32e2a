#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "object/Vector2.h"

class b2Shape;

// A collision shape as its one-line text describes it ("Box 0.5 0.25",
// "Polygon 0 0 1 0 0 1", "Circle 0.75"). The text is the only form in which shapes
// are stored, so it keeps what was written: Box2D reorders polygon vertices, the text
// does not.
struct B2ShapeDesc {
    // Edge and Chain are read but make no shape.
    enum class Kind { Box, Polygon, Circle, Edge, Chain };

    Kind ShapeKind = Kind::Polygon;
    float HalfWidth = 0.0f;         // Box
    float HalfHeight = 0.0f;        // Box
    float Radius = 0.0f;            // Circle
    std::vector<Vector2> Vertices;  // Polygon, counter-clockwise in body coordinates

    bool MakesShape() const { return ShapeKind != Kind::Edge && ShapeKind != Kind::Chain; }
    // The same shape written as a polygon; a box gives its corners in Box2D's box order.
    B2ShapeDesc AsPolygon() const;
};

// Null for text that does not describe a shape this game can make: a kind word other
// than "Box", "Polygon", "Circle", "Edge", "Chain" (case matters), no numbers, a token
// that is no finite float, a box or circle without a positive size, a size or
// coordinate beyond 1000, a polygon of fewer than 3 or more than 8 vertices or one that
// is not convex and counter-clockwise with a usable area and inertia. Extra numbers after a box's or circle's are
// ignored, as is an odd last polygon number.
std::optional<B2ShapeDesc> ParseShapeText(std::string_view text);

// The text form: numbers in property float text, one space between tokens.
std::string FormatShapeText(const B2ShapeDesc& shape);

// Whether Box2D can build a polygon from these vertices without welding or dropping
// any: 3 to 8 vertices within 1000 of the origin, strictly convex, counter-clockwise,
// of an area and inertia its float mass computation accepts.
bool IsUsablePolygon(const std::vector<Vector2>& vertices);
// A positive radius up to 1000 whose circle has an area Box2D accepts.
bool IsUsableCircleRadius(float radius);

// The Box2D shape of a desc that makes one; null for Edge and Chain.
std::unique_ptr<b2Shape> MakeB2Shape(const B2ShapeDesc& shape);
