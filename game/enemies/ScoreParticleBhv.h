#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// The points of an eaten enemy, floating away and fading out, then gone.
class ScoreParticleBhv : public Behavior {
public:
    ScoreParticleBhv();

    // Shows "+points".
    void SetScore(int points);
    // Starts the rise and the fade on the first pass.
    void Update() override;

private:
    float Duration = 1.0f;  // seconds
    Vector2 Movement;       // world units travelled
    bool Started = false;
};
