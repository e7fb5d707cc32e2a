#pragma once

#include "platform/gfx/GfxTypes.h"

class Camera2d;

// What a camera hands the sprite vertex shaders: camera space to clip space.
struct CameraConstants {
    // c0, c1: rows of the rotation by -Rotation scaled by (2 / Scale.X, 2 / Scale.Y).
    float RotScale[8] = {};
    // c2: the point at the centre of the view.
    float Position[4] = {};
    // Where the scale is negative: quads mirror there so that textures stay upright.
    bool FlipX = false;
    bool FlipY = false;

    static CameraConstants From(const Camera2d& camera);
};

// The camera's viewport in target pixels, truncated; an empty one (width 0) covers the
// whole target.
GfxViewport CameraViewport(const Camera2d& camera, int targetWidth, int targetHeight);
