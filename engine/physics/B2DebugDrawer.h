#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <vector>

#include "object/Color.h"
#include "object/Vector2.h"

// Where the debug drawer's outlines go: the renderer's debug lines in the game, a
// recorder in tests.
class DebugDrawTarget {
public:
    virtual ~DebugDrawTarget() = default;
    // A line strip through the points, back to the first when closed.
    virtual void DrawOutline(const Vector2* points, int count, Color color, bool closed) = 0;
    // The width of one screen pixel in world units.
    virtual float WorldUnitsPerPixel() const = 0;
};

// Draws the physics world as coloured outlines (b2World::DebugDraw), plus the marked
// points the shape editor shows on the polygon it edits. One instance, gB2DebugDrawer.
class B2DebugDrawer : public b2Draw {
public:
    // Side of a marked point's square, in screen pixels.
    static constexpr float MarkerPixels = 3.0f;

    // Draws through the renderer.
    B2DebugDrawer();
    // Draws into target, which must outlive the drawer.
    explicit B2DebugDrawer(DebugDrawTarget& target);

    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    // Outline only, like DrawPolygon.
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    // An octagon through the circle.
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    // The circle without its axis.
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    // Transforms are not drawn.
    void DrawTransform(const b2Transform& xf) override;
    // A square outline of sizePixels screen pixels centred on p.
    void DrawPoint(const b2Vec2& p, float sizePixels, const b2Color& color) override;

    // Draws Points as markers: the selected one red, else the first green, the rest white.
    void DrawMarkedPoints();

    // World points to mark.
    std::vector<Vector2> Points;
    // Index into Points of the point drawn as selected; -1 for none.
    int32_t SelectedPoint = -1;

private:
    DebugDrawTarget& mTarget;
};

// A Box2D colour (0..1 floats) as a Color: each part x 255 truncated, opaque.
Color ToColor(const b2Color& color);

extern B2DebugDrawer* gB2DebugDrawer;

// The world's shapes and the marked points through gB2DebugDrawer; nothing without a
// world or a drawer. The renderer's physics view.
void DrawPhysicsWorld();
