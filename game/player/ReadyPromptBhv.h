#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// The prompt under the player until its first move: its sprite swells and shrinks.
class ReadyPromptBhv : public Behavior {
public:
    ReadyPromptBhv();

    // Keeps the prefab's size as the base of the pulse.
    void Start() override;
    void Update() override;

private:
    Vector2 BaseSize;
    float SizeMin = 0.8f;  // fractions of the base size
    float SizeMax = 1.2f;
    float PulsateInterval = 0.5f;  // seconds per pulse
};
