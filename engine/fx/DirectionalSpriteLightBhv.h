#pragma once

#include "object/Behavior.h"
#include "object/Rect.h"
#include "object/Vector2.h"

// A light sprite whose frame is a table of light directions and colours: "Direction"
// (each axis in [-1, 1] spans the frame) selects the one texel of the frame that the
// whole light quad samples, through the sibling sprite's UvRect.
class DirectionalSpriteLightBhv : public Behavior {
public:
    DirectionalSpriteLightBhv();

    // The sprite's frame in texture coordinates; the whole texture without a sprite,
    // texture or frame.
    Rect GetLightRect() const;

    Vector2 GetDirection() const;
    // Nothing without a sprite.
    void SetDirection(Vector2 direction);
};
