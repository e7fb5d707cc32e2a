#include "game/levels/TestSpriteBhv.h"

#include <string>

#include "game/GameEffects.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "platform/DebugPrint.h"
#include "render/SpriteCmp.h"

TestSpriteBhv* gTestSprite = nullptr;

TestSpriteBhv::~TestSpriteBhv() {
    if (gTestSprite == this) {
        gTestSprite = nullptr;
    }
}

void TestSpriteBhv::Start() {
    gTestSprite = this;
}

void TestSpriteBhv::HandleInput() {
    if (gInputManager == nullptr || Sprite == nullptr || !gInputManager->IsKeyPressed(Key::LeftMouse)) {
        return;
    }
    const Vector2 mouse = ScreenToLayer(Sprite->Layer, gInputManager->MousePosition);
    if (!Sprite->GetBounds().Contains(mouse)) {
        return;
    }
    PlayGameCue("DebugBlip");
    // Only a trace: the game writes no files of its own besides the save and settings.
    DebugPrint(("Test sprite " + Owner->Name + " clicked at " + std::to_string(mouse.X) + ", " +
                std::to_string(mouse.Y) + "\n")
                   .c_str());
}
