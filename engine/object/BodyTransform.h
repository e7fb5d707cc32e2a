#pragma once

#include "object/Vector2.h"

class B2BodyCmp;

// How an object without a Pos2dCmp reads and moves its physics body. The physics
// components install these; until then such objects sit at the origin.
struct BodyTransformHooks {
    Vector2 (*GetPos)(const B2BodyCmp* body) = nullptr;
    // Keeps the angle.
    void (*SetPos)(B2BodyCmp* body, Vector2 pos) = nullptr;
    float (*GetAngle)(const B2BodyCmp* body) = nullptr;
    // Keeps the position and, unless the body is static, stops its spin.
    void (*SetAngle)(B2BodyCmp* body, float angle) = nullptr;
};

extern BodyTransformHooks gBodyTransformHooks;
