#pragma once

#include "object/Behavior.h"

// A main level's icon on the ring: shown with its completed, par and lock badges while
// the level exists; starts the level (or says why not) when confirmed.
class LevelSelectIconBhv : public Behavior {
public:
    LevelSelectIconBhv();

    // Follows its level from the start, so that a new map's cursor finds it at once.
    void Start() override;
    void Update() override;
    void HandleInput() override;

    // 1-based number of the main level.
    int LevelNumber = 1;
};
