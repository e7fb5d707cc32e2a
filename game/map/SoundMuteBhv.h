#pragma once

#include "object/Behavior.h"

// The map's sound switch: mutes every channel, the music's included, kept in the saved
// progress and applied again when the map is built.
class SoundMuteBhv : public Behavior {
public:
    void Start() override;
    void Update() override;
    void HandleInput() override;
};
