#pragma once

#include "object/Behavior.h"

// The map's display icon: clicked or confirmed it opens the display settings popup.
class DisplaySettingsIconBhv : public Behavior {
public:
    void Update() override;
    void HandleInput() override;
};
