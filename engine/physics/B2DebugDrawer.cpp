#include "physics/B2DebugDrawer.h"

#include <algorithm>
#include <array>

#include "physics/B2DebugRendererTarget.h"
#include "physics/PhysicsWorld.h"
#include "render/DebugLines.h"

B2DebugDrawer* gB2DebugDrawer = nullptr;

namespace {

// The octagon that stands for a circle, counter-clockwise from +X.
constexpr float kDiagonal = 0.70710677f;
constexpr std::array<Vector2, 8> kOctagon = {{{1.0f, 0.0f},
                                              {kDiagonal, kDiagonal},
                                              {0.0f, 1.0f},
                                              {-kDiagonal, kDiagonal},
                                              {-1.0f, 0.0f},
                                              {-kDiagonal, -kDiagonal},
                                              {0.0f, -1.0f},
                                              {kDiagonal, -kDiagonal}}};

uint8_t ToByte(float part) {
    // Clamped first: a float outside the byte range has no defined conversion.
    return static_cast<uint8_t>(std::clamp(part, 0.0f, 1.0f) * 255.0f);
}

}  // namespace

Color ToColor(const b2Color& color) {
    return Color(ToByte(color.r), ToByte(color.g), ToByte(color.b), 255);
}

B2DebugDrawer::B2DebugDrawer() : B2DebugDrawer(RendererDebugDrawTarget()) {}

B2DebugDrawer::B2DebugDrawer(DebugDrawTarget& target) : mTarget(target) {}

void B2DebugDrawer::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    // The debug lines take no more points than this anyway.
    std::array<Vector2, DebugLines::MaxPoints> points;
    const int count = std::clamp(vertexCount, 0, DebugLines::MaxPoints);
    for (int i = 0; i < count; ++i) {
        points[i] = Vector2(vertices[i].x, vertices[i].y);
    }
    mTarget.DrawOutline(points.data(), count, ToColor(color), true);
}

void B2DebugDrawer::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    DrawPolygon(vertices, vertexCount, color);
}

void B2DebugDrawer::DrawCircle(const b2Vec2& center, float radius, const b2Color& color) {
    std::array<Vector2, kOctagon.size()> points;
    const Vector2 c(center.x, center.y);
    for (size_t i = 0; i < kOctagon.size(); ++i) {
        points[i] = c + kOctagon[i] * radius;
    }
    mTarget.DrawOutline(points.data(), static_cast<int>(points.size()), ToColor(color), true);
}

void B2DebugDrawer::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2&, const b2Color& color) {
    DrawCircle(center, radius, color);
}

void B2DebugDrawer::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) {
    const Vector2 points[2] = {Vector2(p1.x, p1.y), Vector2(p2.x, p2.y)};
    mTarget.DrawOutline(points, 2, ToColor(color), false);
}

void B2DebugDrawer::DrawTransform(const b2Transform&) {}

void B2DebugDrawer::DrawPoint(const b2Vec2& p, float sizePixels, const b2Color& color) {
    const float s = mTarget.WorldUnitsPerPixel() * sizePixels * 0.5f;
    const b2Vec2 corners[4] = {{p.x - s, p.y + s}, {p.x - s, p.y - s}, {p.x + s, p.y - s}, {p.x + s, p.y + s}};
    DrawPolygon(corners, 4, color);
}

void B2DebugDrawer::DrawMarkedPoints() {
    const b2Color red(1.0f, 0.0f, 0.0f);
    const b2Color green(0.0f, 1.0f, 0.0f);
    const b2Color white(1.0f, 1.0f, 1.0f);
    for (size_t i = 0; i < Points.size(); ++i) {
        const b2Color& color = static_cast<int32_t>(i) == SelectedPoint ? red : i == 0 ? green : white;
        DrawPoint(b2Vec2(Points[i].X, Points[i].Y), MarkerPixels, color);
    }
}

void DrawPhysicsWorld() {
    if (gB2DebugDrawer == nullptr || gPhysicsWorld == nullptr) {
        return;
    }
    gB2DebugDrawer->SetFlags(b2Draw::e_shapeBit);
    gPhysicsWorld->DebugDraw();
    gB2DebugDrawer->DrawMarkedPoints();
}
