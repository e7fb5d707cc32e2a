#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// The banner that tells of something unlocked: it slides in from the right to where
// its prefab puts it, stays, slides out to the left and removes itself. Its child
// "Message" holds the text.
class UiUnlockMessageBhv : public Behavior {
public:
    UiUnlockMessageBhv();

    void Start() override;

    CoCommand UnlockCoroutine(int step);

private:
    float TransitionInTime = 1.0f;
    float WaitTime = 3.0f;
    float TransitionOutTime = 0.5f;
    Vector2 mRestPos;
};
