#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/Camera2d.h"
#include "render/CameraConstants.h"

namespace {

// Clip coordinates of a camera-space point as the sprite vertex shader computes them.
Vector2 ToClip(const CameraConstants& c, Vector2 p) {
    const float dx = p.X - c.Position[0];
    const float dy = p.Y - c.Position[1];
    return Vector2(c.RotScale[0] * dx + c.RotScale[1] * dy, c.RotScale[4] * dx + c.RotScale[5] * dy);
}

// Pixel position of clip coordinates on a target, rows counted from the top.
Vector2 ToPixel(Vector2 clip, Vector2 target) {
    return Vector2((clip.X + 1.0f) / 2.0f * target.X, (1.0f - clip.Y) / 2.0f * target.Y);
}

TEST(CameraConstantsTest, WorldCameraMapsItsViewOntoClipSpace) {
    const Camera2d world = Camera2d::MakeWorld(1280, 720);
    const CameraConstants c = CameraConstants::From(world);
    EXPECT_FLOAT_EQ(c.RotScale[0], 2.0f / 40.0f);
    EXPECT_FLOAT_EQ(c.RotScale[5], 2.0f / 22.5f);
    EXPECT_FLOAT_EQ(c.RotScale[1], 0.0f);
    EXPECT_FLOAT_EQ(c.RotScale[4], 0.0f);
    const Vector2 corner = ToClip(c, Vector2(20.0f, 11.25f));
    EXPECT_FLOAT_EQ(corner.X, 1.0f);
    EXPECT_FLOAT_EQ(corner.Y, 1.0f);
    EXPECT_FALSE(c.FlipX);
    EXPECT_FALSE(c.FlipY);
}

TEST(CameraConstantsTest, InterfaceCameraPutsTheOriginTopLeftAndFlipsY) {
    const CameraConstants c = CameraConstants::From(Camera2d::MakeInterface());
    const Vector2 topLeft = ToClip(c, Vector2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(topLeft.X, -1.0f);
    EXPECT_FLOAT_EQ(topLeft.Y, 1.0f);
    const Vector2 bottomRight = ToClip(c, Vector2(1280.0f, 720.0f));
    EXPECT_FLOAT_EQ(bottomRight.X, 1.0f);
    EXPECT_FLOAT_EQ(bottomRight.Y, -1.0f);
    EXPECT_FALSE(c.FlipX);
    EXPECT_TRUE(c.FlipY);
}

// The transform is the inverse of ScreenToWorld for turned, moved and flipped cameras.
TEST(CameraConstantsTest, ScreenToWorldInvertsTheTransform) {
    const Vector2 target(800.0f, 600.0f);
    Camera2d camera;
    for (float rotation : {0.0f, 0.4f, -2.5f, std::numbers::pi_v<float>}) {
        for (Vector2 scale : {Vector2(40.0f, 22.5f), Vector2(-12.0f, 9.0f), Vector2(30.0f, -30.0f)}) {
            camera.Position = Vector2(3.5f, -7.25f);
            camera.Scale = scale;
            camera.Rotation = rotation;
            const CameraConstants c = CameraConstants::From(camera);
            for (Vector2 screen : {Vector2(0.0f, 0.0f), Vector2(123.0f, 456.5f), Vector2(800.0f, 17.0f)}) {
                const Vector2 world = camera.ScreenToWorld(screen, target);
                const Vector2 back = ToPixel(ToClip(c, world), target);
                EXPECT_NEAR(back.X, screen.X, 1e-3f) << rotation << " " << scale.X << " " << scale.Y;
                EXPECT_NEAR(back.Y, screen.Y, 1e-3f) << rotation << " " << scale.X << " " << scale.Y;
            }
        }
    }
}

TEST(CameraConstantsTest, ViewportIsTheWholeTargetWhenEmptyElseTruncated) {
    Camera2d camera;
    const GfxViewport whole = CameraViewport(camera, 320, 180);
    EXPECT_EQ(whole, (GfxViewport{0, 0, 320, 180, 0.0f, 1.0f}));
    camera.Viewport = Rect(10.7f, 20.2f, 100.9f, 50.5f);
    EXPECT_EQ(CameraViewport(camera, 320, 180), (GfxViewport{10, 20, 100, 50, 0.0f, 1.0f}));
}

}  // namespace
