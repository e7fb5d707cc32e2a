#pragma once

#include <cstdint>

#include "editor/KeyboardCapturer.h"
#include "editor/tools/EdToolFlags.h"
#include "object/Behavior.h"
#include "object/Vector2.h"

class GameObject;

// Ctrl+G: drags the inspected object with the mouse and nudges it with the arrow keys
// (ten times with Shift) while gameplay is paused. Enter or a click keeps the place, Esc
// puts it back. While a thing of the world moves, the game's interface is not drawn.
class EdSpriteMoverBhv : public Behavior, public KeyboardCapturer {
public:
    EdSpriteMoverBhv();
    ~EdSpriteMoverBhv() override;

    void Start() override;
    void HandleInput() override;

    // Nothing without an inspected object.
    void Engage();
    bool HoldsKeyboard() const override { return IsEngaged(); }
    // Enter, a click, Esc and the arrows, in the order of the pass's keys.
    void CaptureStroke(const KeyStroke& stroke) override;
    bool IsEngaged() const { return Target != nullptr; }
    // The object is going: the drag ends where it is.
    void ForgetObject(const GameObject* object);

private:
    void EndDrag();
    void MoveBy(Vector2 move);
    // A kept move of a thing of the level is the level editor's to record.
    static void ReportMove(const GameObject& target);

    GameObject* Target = nullptr;
    Vector2 StartPos;
    PausedGameplay Paused;
    // Only for a target in the world: one in the interface must stay in sight.
    HiddenInterface Interface;
    bool InterfaceHidden = false;
};
