#pragma once

#include "game/ui/EndPanelBhv.h"

// The panel of an ordinary level's exit: records the time, tells of pars that open the
// bonus levels and of the survival mode, shows the badge for a faster run, and offers
// the next level as well.
class UiLevelCompleteBhv : public EndPanelBhv {
public:
    UiLevelCompleteBhv();

    void Start() override;
    void HandleInput() override;

private:
    void RecordResult(const LevelDataCmp& level, float time);
    void FillTexts(const LevelDataCmp* level, float time);

    Color TimeTextColor;
    Color UnderParColor{136, 255, 136, 255};
};
