#pragma once

#include "object/Behavior.h"

// Asks the physics world each pass which fixtures lie under the mouse and marks the
// FixtureMouseListenerBhv of their objects.
class FixtureMouseManagerBhv : public Behavior {
public:
    void HandleInput() override;
};
