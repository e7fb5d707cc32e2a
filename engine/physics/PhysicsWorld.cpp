#include "physics/PhysicsWorld.h"

#include <box2d/box2d.h>

#include "object/GameObject.h"
#include "physics/B2BodyCmp.h"

b2World* gPhysicsWorld = nullptr;

void SetBodyActive(GameObject* object, bool active) {
    // Activity is only applied, never the reason to make a body.
    if (object->B2Body != nullptr && object->B2Body->Body != nullptr) {
        object->B2Body->Body->SetEnabled(active);
    }
}
