#pragma once

#include <cstdint>

#include "object/Behavior.h"

// Tells its object whether one of the object's fixtures is under the mouse, as the
// FixtureMouseManagerBhv's query found. A listener walked before the manager sees the
// previous pass's query.
class FixtureMouseListenerBhv : public Behavior {
public:
    // Takes the query's answer and gets ready for the next one.
    void HandleInput() override;

    // One of the object's fixtures was under the mouse at the latest query seen.
    uint8_t IsMouseOver = 0;
    // Set by the query.
    uint8_t MouseOverThisPass = 0;
};
