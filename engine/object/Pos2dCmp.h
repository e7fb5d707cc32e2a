#pragma once

#include "object/Component.h"
#include "object/IEditable.h"
#include "object/Vector2.h"

// Places its object in the world, optionally relative to the nearest ancestor that
// has one. Rotation is the object's own: it never turns the children's offsets.
class Pos2dCmp : public Component, public IEditable {
public:
    Pos2dCmp();

    // Pos summed up the chain of objects while the positions are relative; objects
    // without a Pos2dCmp are passed through.
    Vector2 GetWorldPos() const;

    float Rotation = 0.0f;
    Vector2 Pos;
    bool IsRelative = false;
};
