#pragma once

#include "object/Behavior.h"

// Plays one of the one-shot cues of its own object, chosen evenly at random; the one
// that plays destroys the object when its sound is over.
class CueRandomizedBhv : public Behavior {
public:
    // Takes over the object's play hook, whatever the order of the components.
    void Start() override;

    void Play();
};
