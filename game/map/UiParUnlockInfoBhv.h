#pragma once

#include <string>

#include "object/Behavior.h"

// The panel beside a bonus icon that counts the pars reached towards opening it;
// shown only while the bonus level is still short of them.
class UiParUnlockInfoBhv : public Behavior {
public:
    UiParUnlockInfoBhv();

    void Update() override;

private:
    std::string mLevelPrefab;  // "Lvl_Bonus1" or "Lvl_Bonus2"
};
