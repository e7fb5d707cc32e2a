#include "physics/B2RaycastClosestCallback.h"

float B2RaycastClosestCallback::ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal,
                                              float fraction) {
    if (StaticOnly && fixture->GetBody()->GetType() != b2_staticBody) {
        // Negative: Box2D ignores this fixture and keeps the ray as long as it was.
        return -1.0f;
    }
    Fixture = fixture;
    Point = Vector2(point.x, point.y);
    Normal = Vector2(normal.x, normal.y);
    Fraction = fraction;
    // The ray now ends here, so every later report is nearer.
    return fraction;
}
