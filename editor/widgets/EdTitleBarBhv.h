#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"

// A palette's title row: dragging it with the left button reports the mouse movement.
class EdTitleBarBhv : public Behavior, public IEdUiElement {
public:
    EdTitleBarBhv();

    void HandleInput() override;
    void SetRect(float x, float y, float width, float height) override;

    std::string Title;
    std::function<void(Vector2 delta)> OnDrag;
    uint8_t IsDragging = 0;
};
