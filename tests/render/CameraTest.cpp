#include <gtest/gtest.h>

#include <numbers>

#include "render/Camera2d.h"

namespace {

void ExpectPoint(Vector2 actual, float x, float y) {
    EXPECT_NEAR(actual.X, x, 1e-4f);
    EXPECT_NEAR(actual.Y, y, 1e-4f);
}

const Vector2 kTarget{1280.0f, 720.0f};

}  // namespace

TEST(CameraTest, WorldCameraMapsTheScreenOntoItsView) {
    const Camera2d world = Camera2d::MakeWorld(1280, 720);
    ExpectPoint(world.ScreenToWorld(Vector2(0.0f, 0.0f), kTarget), -20.0f, 11.25f);
    ExpectPoint(world.ScreenToWorld(Vector2(640.0f, 360.0f), kTarget), 0.0f, 0.0f);
    ExpectPoint(world.ScreenToWorld(Vector2(1280.0f, 720.0f), kTarget), 20.0f, -11.25f);
}

TEST(CameraTest, InterfaceCameraIsA1280By720PixelSpaceAtAnyWindowSize) {
    const Camera2d ui = Camera2d::MakeInterface();
    ExpectPoint(ui.ScreenToWorld(Vector2(0.0f, 0.0f), kTarget), 0.0f, 0.0f);
    ExpectPoint(ui.ScreenToWorld(Vector2(1280.0f, 720.0f), kTarget), 1280.0f, 720.0f);
    ExpectPoint(ui.ScreenToWorld(Vector2(960.0f, 270.0f), Vector2(1920.0f, 1080.0f)), 640.0f, 180.0f);
}

TEST(CameraTest, PositionRotationAndViewportApply) {
    Camera2d camera;
    camera.Position = Vector2(5.0f, -3.0f);
    camera.Scale = Vector2(20.0f, 10.0f);
    camera.Rotation = std::numbers::pi_v<float> / 2.0f;
    camera.Viewport = Rect(100.0f, 50.0f, 200.0f, 100.0f);
    // The viewport's centre is the camera's position whatever the target size.
    ExpectPoint(camera.ScreenToWorld(Vector2(200.0f, 100.0f), kTarget), 5.0f, -3.0f);
    // Right of the centre by a quarter of the viewport: +5 units on x before turning,
    // +5 on y after a quarter turn.
    ExpectPoint(camera.ScreenToWorld(Vector2(250.0f, 100.0f), kTarget), 5.0f, 2.0f);
    // Above the centre: +y before turning, -x after.
    ExpectPoint(camera.ScreenToWorld(Vector2(200.0f, 75.0f), kTarget), 2.5f, -3.0f);
}

TEST(CameraTest, AViewportWithoutAreaStandsForTheWholeTarget) {
    Camera2d camera;
    camera.Scale = Vector2(2.0f, 2.0f);
    camera.Viewport = Rect(10.0f, 10.0f, 300.0f, 0.0f);
    ExpectPoint(camera.ScreenToWorld(Vector2(0.0f, 0.0f), Vector2(100.0f, 50.0f)), -1.0f, 1.0f);
    // No target either: the camera's position, not a division by zero.
    ExpectPoint(camera.ScreenToWorld(Vector2(7.0f, 7.0f), Vector2()), 0.0f, 0.0f);
}
