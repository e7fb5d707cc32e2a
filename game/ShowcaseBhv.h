#pragma once

#include <string>

#include "object/Behavior.h"

// Drives the engine showcase scene until the gameplay screens exist: it gives the
// renderer its background texture and clocks, and starts the ambience cue.
class ShowcaseBhv : public Behavior {
public:
    ShowcaseBhv();

    void Start() override;
    void Update() override;

    std::string BackgroundTexture;
    int BackgroundMode = 0;
    float FirstPassSpeed = 1.0f;
    float SecondPassSpeed = 1.0f;
    std::string AmbienceCue;
};
