#include "render/Camera2d.h"

#include "object/ObjectPicking.h"
#include "render/Graphics.h"

namespace {

constexpr Vector2 kWorldViewSize{40.0f, 22.5f};
constexpr Vector2 kInterfaceSize{1280.0f, 720.0f};

// The renderer's defaults before it exists.
constexpr Vector2 kDefaultTargetSize{1280.0f, 720.0f};

}  // namespace

Camera2d Camera2d::MakeWorld(int targetWidth, int targetHeight) {
    Camera2d camera;
    camera.Scale = kWorldViewSize;
    camera.Viewport = Rect(0.0f, 0.0f, static_cast<float>(targetWidth), static_cast<float>(targetHeight));
    return camera;
}

Camera2d Camera2d::MakeInterface() {
    Camera2d camera;
    camera.Position = kInterfaceSize / 2.0f;
    camera.Scale = Vector2(kInterfaceSize.X, -kInterfaceSize.Y);
    return camera;
}

void Camera2d::InstallScreenToLayerHooks() {
    gPickingHooks.WorldScreenToWorld = [](Vector2 p) {
        return gGraphics != nullptr ? gGraphics->WorldCamera.ScreenToWorld(p) : p;
    };
    gPickingHooks.UiScreenToWorld = [](Vector2 p) {
        return gGraphics != nullptr ? gGraphics->UiCamera.ScreenToWorld(p) : p;
    };
}

Vector2 Camera2d::ScreenToWorld(Vector2 screenPoint, Vector2 targetSize) const {
    // A viewport without area would divide by zero: it stands for the whole target.
    const bool whole = Viewport.Width == 0.0f || Viewport.Height == 0.0f;
    const Rect view = whole ? Rect(0.0f, 0.0f, targetSize.X, targetSize.Y) : Viewport;
    if (view.Width == 0.0f || view.Height == 0.0f) {
        return Position;
    }
    Vector2 q = screenPoint - Vector2(view.X, view.Y) - Vector2(view.Width, view.Height) / 2.0f;
    q.Y = -q.Y;
    q = q * Vector2(Scale.X / view.Width, Scale.Y / view.Height);
    return Vector2::Rotate(q, Rotation) + Position;
}

Vector2 Camera2d::ScreenToWorld(Vector2 screenPoint) const {
    const Vector2 target = gGraphics != nullptr
                               ? Vector2(static_cast<float>(gGraphics->Width), static_cast<float>(gGraphics->Height))
                               : kDefaultTargetSize;
    return ScreenToWorld(screenPoint, target);
}
