#pragma once

#include "object/Behavior.h"
#include "object/Rect.h"
#include "object/Vector2.h"

// A palette window: its child rows stacked under a title bar that drags the window.
class EdPaletteBhv : public Behavior {
public:
    // Keeps this much of the window on screen at the sides and bottom; the title bar may
    // leave the top edge by as much.
    static constexpr float EdgeKeep = 10.0f;

    EdPaletteBhv();

    void Start() override;

    // Stacks the visible rows from TopLeft down; hidden rows take no room.
    void Layout();
    ::Rect GetRect() const;
    void OnTitleBarDrag(Vector2 delta);

    float Width = 220.0f;
    Vector2 TopLeft;
    float Height = 0.0f;
};
