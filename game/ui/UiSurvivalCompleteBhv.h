#pragma once

#include "game/ui/EndPanelBhv.h"

// The panel of the survival round: the time lasted, green when it beats the best.
class UiSurvivalCompleteBhv : public EndPanelBhv {
public:
    void Start() override;
};
