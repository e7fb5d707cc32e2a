#pragma once

#include "game/ui/EndPanelBhv.h"

// The panel of the ant level: how many ants were freed against the goal, and the best
// count kept even by a failed run.
class UiAntsFreedBhv : public EndPanelBhv {
public:
    void Start() override;
};
