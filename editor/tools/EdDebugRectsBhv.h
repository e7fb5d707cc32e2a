#pragma once

#include "object/Behavior.h"

// Rectangles put under its object live for one frame of running play and stay while
// the game is paused.
class EdDebugRectsBhv : public Behavior {
public:
    void HandleInput() override;
};
