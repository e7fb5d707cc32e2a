#include "runtime/FixtureMouseManagerBhv.h"

#include "runtime/Application.h"
#include "runtime/B2MouseQuery.h"
#include "runtime/Camera2d.h"
#include "runtime/Graphics.h"
#include "runtime/InputManager.h"

void FixtureMouseManagerBhv::HandleInput() {
    if (gPhysicsWorld == nullptr || gGraphics == nullptr || gInputManager == nullptr) {
        return;
    }
    MarkFixturesUnderMouse(*gPhysicsWorld, gGraphics->WorldCamera.ScreenToWorld(gInputManager->MousePosition));
}
