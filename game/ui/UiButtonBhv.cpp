#include "game/ui/UiButtonBhv.h"

#include "game/ui/UiMouse.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "render/TintCmp.h"

namespace {

constexpr uint8_t kGrayedOutAlpha = 51;

}  // namespace

UiButtonBhv::UiButtonBhv() {
    RegisterProperty(&IsGrayedOut, "IsGrayedOut");
}

void UiButtonBhv::HandleInput() {
    if (gInputManager == nullptr) {
        return;
    }
    const bool inside = InterfaceMouseIn(Owner);
    const bool down = gInputManager->IsKeyDown(Key::LeftMouse);
    if (gInputManager->IsKeyPressed(Key::LeftMouse) && inside) {
        Pressed = true;
    }
    if (Pressed && !down && inside && OnClick) {
        OnClick();
    }
    if (!down) {
        Pressed = false;
    }
    IsPressed = Pressed;
}

void UiButtonBhv::Update() {
    if (Tint != nullptr) {
        Tint->Tint.A = IsGrayedOut ? kGrayedOutAlpha : 255;
    }
}
