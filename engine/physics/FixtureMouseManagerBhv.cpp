#include "physics/FixtureMouseManagerBhv.h"

#include "input/InputManager.h"
#include "physics/B2MouseQuery.h"
#include "physics/PhysicsWorld.h"
#include "render/Camera2d.h"
#include "render/Graphics.h"

void FixtureMouseManagerBhv::HandleInput() {
    if (gPhysicsWorld == nullptr || gGraphics == nullptr || gInputManager == nullptr) {
        return;
    }
    MarkFixturesUnderMouse(*gPhysicsWorld, gGraphics->WorldCamera.ScreenToWorld(gInputManager->MousePosition));
}
