#pragma once

#include <cstdint>

#include "editor/KeyboardCapturer.h"
#include "editor/tools/EdToolFlags.h"
#include "object/Behavior.h"

// Ctrl+Q: the next click inspects the object under the mouse; Esc gives up. Gameplay is
// paused meanwhile.
class EdSpritePickerBhv : public Behavior, public KeyboardCapturer {
public:
    EdSpritePickerBhv();
    ~EdSpritePickerBhv() override;

    void Start() override;

    void Engage();
    bool HoldsKeyboard() const override { return IsEngaged(); }
    // Esc and the click, in the order of the pass's keys.
    void CaptureStroke(const KeyStroke& stroke) override;
    bool IsEngaged() const { return Engaged != 0; }

private:
    void EndPick();

    uint8_t Engaged = 0;
    PausedGameplay Paused;
};
