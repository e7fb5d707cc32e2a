#pragma once

#include "object/Behavior.h"

// A pill lying in the level: the player's touch starts the pill mode.
class Pkup_PillBhv : public Behavior {
public:
    Pkup_PillBhv();

    void Update() override;

private:
    float BorderRotateFreq = 1.0f;  // turns per second
};
