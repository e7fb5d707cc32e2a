#pragma once

#include <string>
#include <vector>

#include "object/Vector2.h"
#include "physics/B2ShapeText.h"

// The editable points of one shape text, in the body frame: a polygon's vertices, a
// box's two half extents (x on the first handle, y on the second), a circle's radius.
// Only shapes Box2D can build come out of it, so a bad edit keeps the last valid text.
class ShapeHandles {
public:
    // Text that does not describe a box, circle or polygon gives no handles.
    explicit ShapeHandles(const std::string& shapeText);

    bool IsEmpty() const { return mPoints.empty(); }
    bool IsPolygon() const { return mHasShape && mKind == B2ShapeDesc::Kind::Polygon; }
    const std::vector<Vector2>& Points() const { return mPoints; }

    // Index of the point nearest to p (the first on ties); -1 without points.
    int Nearest(Vector2 p) const;
    void Move(int index, Vector2 p);
    // Polygon only: a new vertex just after index, or first when index is -1.
    void Insert(int index, Vector2 p);
    // Polygon only, and only while more than three vertices remain.
    void Delete(int index);

    // The text of the handles as they are now, in the shape text's own number form;
    // "" when they make no shape Box2D accepts.
    std::string ToText() const;

private:
    bool mHasShape = false;
    B2ShapeDesc::Kind mKind = B2ShapeDesc::Kind::Polygon;
    std::vector<Vector2> mPoints;
};
