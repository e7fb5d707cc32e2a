#pragma once

#include <string>

#include "object/Behavior.h"

// A level outside the ring (bonus modes, survival), placed by the content: shows its
// completed and lock badges and starts the level when confirmed.
class BonusLevelIconBhv : public Behavior {
public:
    BonusLevelIconBhv();

    // Follows its level from the start, so that a new map's cursor finds it at once.
    void Start() override;
    void Update() override;
    void HandleInput() override;

private:
    std::string mLevelPrefab;  // the level's object name
};
