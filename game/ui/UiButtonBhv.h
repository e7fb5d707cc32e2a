#pragma once

#include <functional>

#include "object/Behavior.h"

// A sprite that clicks when the left button is released over it after being pressed
// over it. Greyed out it looks faded but still clicks.
class UiButtonBhv : public Behavior {
public:
    UiButtonBhv();

    void Update() override;
    void HandleInput() override;

    bool IsPressed = false;
    bool IsGrayedOut = false;
    std::function<void()> OnClick;

private:
    bool Pressed = false;
};
