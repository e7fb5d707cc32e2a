#include "editor/tools/ShapeHandles.h"

#include <cmath>
#include <optional>

ShapeHandles::ShapeHandles(const std::string& shapeText) {
    const std::optional<B2ShapeDesc> shape = ParseShapeText(shapeText);
    if (!shape || !shape->MakesShape()) {
        return;
    }
    mHasShape = true;
    mKind = shape->ShapeKind;
    switch (mKind) {
        case B2ShapeDesc::Kind::Polygon: mPoints = shape->Vertices; break;
        case B2ShapeDesc::Kind::Box: mPoints = {{shape->HalfWidth, 0.0f}, {0.0f, shape->HalfHeight}}; break;
        case B2ShapeDesc::Kind::Circle: mPoints = {{shape->Radius, 0.0f}}; break;
        default: mHasShape = false; break;
    }
}

int ShapeHandles::Nearest(Vector2 p) const {
    int nearest = -1;
    float best = 0.0f;
    for (size_t i = 0; i < mPoints.size(); ++i) {
        const float dx = mPoints[i].X - p.X;
        const float dy = mPoints[i].Y - p.Y;
        const float d = dx * dx + dy * dy;
        if (nearest < 0 || d < best) {
            nearest = static_cast<int>(i);
            best = d;
        }
    }
    return nearest;
}

void ShapeHandles::Move(int index, Vector2 p) {
    if (index >= 0 && index < static_cast<int>(mPoints.size())) {
        mPoints[static_cast<size_t>(index)] = p;
    }
}

void ShapeHandles::Insert(int index, Vector2 p) {
    if (!IsPolygon()) {
        return;
    }
    const size_t at = index >= 0 && index < static_cast<int>(mPoints.size()) ? static_cast<size_t>(index) + 1 : 0;
    mPoints.insert(mPoints.begin() + static_cast<std::ptrdiff_t>(at), p);
}

void ShapeHandles::Delete(int index) {
    if (IsPolygon() && mPoints.size() > 3 && index >= 0 && index < static_cast<int>(mPoints.size())) {
        mPoints.erase(mPoints.begin() + index);
    }
}

std::string ShapeHandles::ToText() const {
    if (!mHasShape) {
        return std::string();
    }
    B2ShapeDesc shape;
    shape.ShapeKind = mKind;
    switch (mKind) {
        case B2ShapeDesc::Kind::Polygon:
            if (!IsUsablePolygon(mPoints)) {
                return std::string();
            }
            shape.Vertices = mPoints;
            break;
        case B2ShapeDesc::Kind::Box:
            // Dragged across the centre the extent stays positive.
            shape.HalfWidth = std::fabs(mPoints[0].X);
            shape.HalfHeight = std::fabs(mPoints[1].Y);
            if (!(shape.HalfWidth > 0.0f) || !(shape.HalfHeight > 0.0f) ||
                !IsUsablePolygon(shape.AsPolygon().Vertices)) {
                return std::string();
            }
            break;
        case B2ShapeDesc::Kind::Circle:
            shape.Radius = std::hypot(mPoints[0].X, mPoints[0].Y);
            if (!IsUsableCircleRadius(shape.Radius)) {
                return std::string();
            }
            break;
        default: return std::string();
    }
    return FormatShapeText(shape);
}
