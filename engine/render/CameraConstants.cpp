#include "render/CameraConstants.h"

#include <cmath>

#include "render/Camera2d.h"

CameraConstants CameraConstants::From(const Camera2d& camera) {
    CameraConstants constants;
    const float sx = 2.0f / camera.Scale.X;
    const float sy = 2.0f / camera.Scale.Y;
    const float a = -camera.Rotation;
    const float c = std::cos(a);
    const float s = std::sin(a);
    const float rows[8] = {c * sx, -(s * sx), 0.0f, 0.0f, s * sy, c * sy, 0.0f, 0.0f};
    for (int i = 0; i < 8; ++i) {
        constants.RotScale[i] = rows[i];
    }
    // No half-pixel shift: OpenGL rasterises at pixel centres, so a quad that fills a
    // target samples its texture at texel centres as it is.
    constants.Position[0] = camera.Position.X;
    constants.Position[1] = camera.Position.Y;
    constants.FlipX = camera.Scale.X < 0.0f;
    constants.FlipY = camera.Scale.Y < 0.0f;
    return constants;
}

GfxViewport CameraViewport(const Camera2d& camera, int targetWidth, int targetHeight) {
    const Rect& view = camera.Viewport;
    if (view.Width == 0.0f) {
        return {0, 0, targetWidth, targetHeight, 0.0f, 1.0f};
    }
    return {static_cast<int>(view.X),
            static_cast<int>(view.Y),
            static_cast<int>(view.Width),
            static_cast<int>(view.Height),
            0.0f,
            1.0f};
}
