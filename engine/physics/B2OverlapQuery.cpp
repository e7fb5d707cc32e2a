#include "physics/B2OverlapQuery.h"

#include <box2d/box2d.h>

namespace {

// Stops the query at the first fixture whose shape the disc overlaps; the broad phase
// only reports boxes that come near.
class DiscOverlapCallback : public b2QueryCallback {
public:
    DiscOverlapCallback(Vector2 centre, float radius) {
        mDisc.m_radius = radius;
        mAt.Set(b2Vec2(centre.X, centre.Y), 0.0f);
    }

    bool ReportFixture(b2Fixture* fixture) override {
        const b2Shape* shape = fixture->GetShape();
        const b2Transform& transform = fixture->GetBody()->GetTransform();
        for (int32 child = 0; child < shape->GetChildCount(); ++child) {
            if (b2TestOverlap(&mDisc, 0, shape, child, mAt, transform)) {
                Found = true;
                return false;
            }
        }
        return true;
    }

    bool Found = false;

private:
    b2CircleShape mDisc;
    b2Transform mAt;
};

}  // namespace

bool DiscOverlapsAnyFixture(const b2World& world, Vector2 centre, float radius) {
    b2AABB box;
    box.lowerBound.Set(centre.X - radius, centre.Y - radius);
    box.upperBound.Set(centre.X + radius, centre.Y + radius);
    DiscOverlapCallback callback(centre, radius);
    world.QueryAABB(&callback, box);
    return callback.Found;
}
