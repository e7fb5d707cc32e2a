#pragma once

#include "game/ui/EndPanelBhv.h"

// The panel of the pill chase: the round's score, the best kept and the badge for
// beating an earlier best.
class UiPacmanCompleteBhv : public EndPanelBhv {
public:
    void Start() override;
};
