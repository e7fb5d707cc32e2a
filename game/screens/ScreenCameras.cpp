#include "game/screens/ScreenCameras.h"

#include "object/TweensBhv.h"
#include "render/Camera2d.h"
#include "render/Graphics.h"

namespace ScreenCameras {

namespace {

Camera2d RestingWorld() {
    return gGraphics != nullptr ? Camera2d::MakeWorld(gGraphics->Width, gGraphics->Height)
                                : Camera2d::MakeWorld(1280, 720);
}

}  // namespace

Vector2 RestingWorldScale() {
    return RestingWorld().Scale;
}

Vector2 RestingUiScale() {
    return Camera2d::MakeInterface().Scale;
}

void Rest() {
    if (gGraphics == nullptr) {
        return;
    }
    const Camera2d world = RestingWorld();
    const Camera2d ui = Camera2d::MakeInterface();
    gGraphics->WorldCamera.Scale = world.Scale;
    gGraphics->WorldCamera.Rotation = world.Rotation;
    gGraphics->UiCamera.Scale = ui.Scale;
    gGraphics->UiCamera.Rotation = ui.Rotation;
}

void StopTweens(TweensBhv* tweens) {
    if (tweens == nullptr || gGraphics == nullptr) {
        return;
    }
    for (Camera2d* camera : {&gGraphics->WorldCamera, &gGraphics->UiCamera}) {
        tweens->StopTweensOf(&camera->Scale);
        tweens->StopTweensOf(&camera->Rotation);
    }
}

}  // namespace ScreenCameras
