#pragma once

#include "object/Behavior.h"
#include "object/Vector2.h"

// The badge of an end panel that marks a new best: hidden until Show, then it fades in
// while shrinking from StartSize times its size onto it, and plays "NewBest" as it lands.
class NewBestIconBhv : public Behavior {
public:
    NewBestIconBhv();

    // Hides the badge and remembers the size it lands at.
    void Start() override;
    void Show();

private:
    float AnimateDuration = 1.0f;
    float StartSize = 2.0f;
    Vector2 mLandingSize;
};
