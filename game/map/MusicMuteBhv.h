#pragma once

#include "object/Behavior.h"

// The map's music switch: mutes the music only, kept in the saved progress and applied
// again when the map is built.
class MusicMuteBhv : public Behavior {
public:
    void Start() override;
    void Update() override;
    void HandleInput() override;
};
