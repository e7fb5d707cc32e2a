#include "physics/B2MouseQuery.h"

#include "object/GameObject.h"
#include "physics/B2FixtureCmp.h"
#include "physics/FixtureMouseListenerBhv.h"

bool MouseQueryCallback::ReportFixture(b2Fixture* fixture) {
    const auto* component = reinterpret_cast<const B2FixtureCmp*>(fixture->GetUserData().pointer);
    if (component != nullptr && component->Owner != nullptr) {
        if (auto* listener = component->Owner->GetComponent<FixtureMouseListenerBhv>()) {
            listener->MouseOverThisPass = true;
        }
    }
    return true;
}

void MarkFixturesUnderMouse(b2World& world, Vector2 worldPoint) {
    b2AABB box;
    box.lowerBound.Set(worldPoint.X - MouseQueryHalfSize, worldPoint.Y - MouseQueryHalfSize);
    box.upperBound.Set(worldPoint.X + MouseQueryHalfSize, worldPoint.Y + MouseQueryHalfSize);
    MouseQueryCallback callback;
    world.QueryAABB(&callback, box);
}
