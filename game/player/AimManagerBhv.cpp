#include "game/player/AimManagerBhv.h"

#include <algorithm>

#include "game/GameMath.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/EditorLink.h"
#include "input/InputManager.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "render/Graphics.h"

AimManagerBhv* gAimManager = nullptr;

namespace {

// The window centre in client pixels, from the window's size now: the display settings
// may have changed it since start-up.
Vector2 WindowCentre() {
    return Vector2(static_cast<float>(gGraphics->Width), static_cast<float>(gGraphics->Height)) * 0.5f;
}

}  // namespace

AimManagerBhv::AimManagerBhv() {
    RegisterProperty(&MovementWindow, "MovementWindow");
    RegisterProperty(&UseRelativeMode, "UseRelativeMode");
}

AimManagerBhv::~AimManagerBhv() {
    if (gAimManager == this) {
        gAimManager = nullptr;
    }
}

void AimManagerBhv::Start() {
    gAimManager = this;
}

void AimManagerBhv::EnterAimMode() {
    AimMode = true;
    if (UseRelativeMode && gGraphics != nullptr) {
        gGraphics->HideCursor();
    }
}

void AimManagerBhv::LeaveAimMode() {
    AimMode = false;
    ShowPointerInRelativeMode();
}

void AimManagerBhv::ShowPointerInRelativeMode() {
    if (UseRelativeMode && gGraphics != nullptr) {
        gGraphics->ShowCursor();
    }
}

void AimManagerBhv::HandleInput() {
    if (gGraphics == nullptr || gInputManager == nullptr) {
        return;
    }
    ToggleMode();
    SuspendForEditor();
    SuspendForFocus();
    UpdatePointer();
    if (!AimMode) {
        return;
    }
    if (UseRelativeMode) {
        AimRelative();
    } else {
        AimAbsolute();
    }
}

void AimManagerBhv::ToggleMode() {
    // While editing, a semicolon belongs to the designer's typing.
    if (EditorIsEditing() || !gInputManager->IsKeyPressed(Key::Semicolon)) {
        return;
    }
    UseRelativeMode = !UseRelativeMode;
    if (UseRelativeMode) {
        gGraphics->HideCursor();
    } else {
        gGraphics->ShowCursor();
    }
}

void AimManagerBhv::SuspendForEditor() {
    const bool editing = EditorIsEditing();
    if (AimMode && editing) {
        AimMode = false;
        ShowPointerInRelativeMode();
        SuspendedForEditor = true;
    } else if (SuspendedForEditor && !editing) {
        EnterAimMode();
        SuspendedForEditor = false;
    }
}

void AimManagerBhv::SuspendForFocus() {
    const bool focused = gGraphics->HasFocus != 0;
    if (AimMode && !focused) {
        AimMode = false;
        ShowPointerInRelativeMode();
        SuspendedForFocus = true;
    } else if (SuspendedForFocus && !AimMode && focused) {
        EnterAimMode();
        SuspendedForFocus = false;
    }
}

void AimManagerBhv::UpdatePointer() {
    const bool playerArmed =
        gPlayer != nullptr && gPlayer->WeaponObject != nullptr && gPlayer->Owner->IsInputEnabledInHierarchy();
    if (AimMode && playerArmed) {
        if (!gGraphics->IsCursorClipped()) {
            gGraphics->ClipCursorToWindow();
        }
        gGraphics->CursorName = "Aim";
    } else {
        gGraphics->ReleaseCursorClip();
        gGraphics->CursorName = "";
    }
}

void AimManagerBhv::AimRelative() {
    const Vector2 centre = WindowCentre();
    Vector2 delta = gInputManager->MousePosition - centre;
    delta.Y = -delta.Y;  // screen y points down, world y up
    const float length = Length(delta);
    if (length > 0.0f) {
        const float t = std::min(length / MovementWindow, 1.0f);
        Aim = UnitUnlessZero(Lerp(Aim, delta * (1.0f / length), t));
    }
    gGraphics->WarpMouseInWindow(static_cast<int>(centre.X), static_cast<int>(centre.Y));
}

void AimManagerBhv::AimAbsolute() {
    const Vector2 mouse = gGraphics->WorldCamera.ScreenToWorld(gInputManager->MousePosition);
    const Vector2 player = gPlayer != nullptr ? gPlayer->Owner->GetPos() : Vector2();
    Aim = UnitUnlessZero(mouse - player);
}
