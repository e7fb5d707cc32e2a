#pragma once

#include "object/Behavior.h"

// A switch for one of the two alternate backgrounds of the map, opened by completing a
// bonus mode; clicked or confirmed it turns its background on (the other off), or off.
class AltBgIconBhv : public Behavior {
public:
    AltBgIconBhv();

    void Update() override;
    void HandleInput() override;

private:
    bool IsClicked() const;

    int mBackgroundNumber = 1;  // 1 or 2
};
