#pragma once

#include <cstdint>

#include "editor/KeyTaker.h"
#include "editor/KeyboardCapturer.h"
#include "editor/tools/EdToolFlags.h"
#include "object/Behavior.h"
#include "render/Camera2d.h"

// A free editor camera: while engaged it stands in for the renderer's world camera and
// pans (W A S D) and zooms (Equals, Minus) by typed keys; gameplay is paused meanwhile.
// Standalone it takes Ctrl+F and Esc itself; otherwise its owner engages it.
class EdCameraMoverBhv : public Behavior, public KeyboardCapturer, public KeyTaker {
public:
    EdCameraMoverBhv();

    void Update() override;
    void HandleInput() override;
    // Standalone, Ctrl+F engages the camera.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void Activate();
    void Deactivate();
    bool HoldsKeyboard() const override { return IsEngaged(); }
    void CaptureStroke(const KeyStroke& stroke) override;
    bool IsEngaged() const { return Engaged != 0; }

    bool IsStandalone = true;
    float MoveIncrement = 2.0f;
    float ZoomFactor = 1.25f;
    Camera2d EditorCamera;

private:
    uint8_t Engaged = 0;
    Camera2d SavedCamera;
    PausedGameplay Paused;
};
