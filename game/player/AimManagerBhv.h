#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// Turns the mouse into the player's aim: from the mouse's world position (absolute
// mode) or from mouse movement with the pointer held at the window centre (relative
// mode). Keeps the pointer hidden, shown and held in the window as the mode needs.
class AimManagerBhv : public Behavior {
public:
    AimManagerBhv();
    // Clears gAimManager when it names this instance.
    ~AimManagerBhv() override;

    void Start() override;
    // Mode switching, suspension, the pointer and the aim update.
    void HandleInput() override;

    void EnterAimMode();
    void LeaveAimMode();

    Vector2 Aim{0.0f, 1.0f};  // unit direction in world axes, y up
    bool UseRelativeMode = false;

    float MovementWindow = 10.0f;  // pixels of movement that turn the aim fully
    bool AimMode = false;
    bool SuspendedForEditor = false;
    bool SuspendedForFocus = false;

private:
    void ToggleMode();
    void SuspendForEditor();
    void SuspendForFocus();
    void UpdatePointer();
    void AimRelative();
    void AimAbsolute();
    // The pointer comes back where relative mode needs it.
    void ShowPointerInRelativeMode();
};

extern AimManagerBhv* gAimManager;
