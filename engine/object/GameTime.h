#pragma once

// The time record every timed behaviour reads, written once per pass by the main loop.
// It lives in the object layer because coroutines and tweens count down with it.
struct GameTime {
    float TotalTime = 0.0f;  // seconds accumulated from fixed steps since start
    float DeltaTime = 0.0f;  // seconds simulated in this pass: n fixed steps, n in 1..6
};

// Owned by the application; tests point it at their own record.
extern GameTime* gGameTime;

// This pass's delta, or 0 before the application has made the time record.
inline float CurrentFrameDelta() {
    return gGameTime != nullptr ? gGameTime->DeltaTime : 0.0f;
}
