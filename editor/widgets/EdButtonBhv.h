#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"
#include "object/Color.h"

// A push button: clicks when the left button goes down and comes up inside it.
class EdButtonBhv : public Behavior, public IEdUiElement {
public:
    EdButtonBhv();

    void Start() override;
    void HandleInput() override;
    void SetRect(float x, float y, float width, float height) override;
    // Mirrored background while held inside (the pressed look), lit while hovered.
    void UpdateLook();

    std::string Title;
    // Greys the caption only: owners that must refuse a click test it themselves.
    bool IsGrayedOut = false;
    std::function<void()> OnClick;
    uint8_t IsPressed = 0;
    uint8_t WasPressed = 0;

private:
    Color mNormalTint = Color(255, 255, 255, 255);
};
