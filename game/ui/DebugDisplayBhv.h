#pragma once

#include <cstdint>

#include "object/Behavior.h"

// A status line for developers on an object with a TextCmp: passes per simulated
// second, the main loop's debug switches and the current level. Hidden at start;
// Tilde shows or hides it, Shift+Tilde cycles the switches.
class DebugDisplayBhv : public Behavior {
public:
    DebugDisplayBhv();

    // Hides the owner. A FpsUpdateInterval that is not positive is a content error
    // naming the prefab: it would never end the count.
    void Start() override;
    void HandleInput() override;

private:
    void CountPass();
    void WriteText() const;

    float mElapsed = 0.0f;
    int32_t mPassCount = 0;
    int32_t mFps = 0;
    float mFpsUpdateInterval = 1.0f;
};
