#pragma once

// The time record every timed behaviour reads, written once per pass by the main loop.
struct GameTime {
    float TotalTime = 0.0f;  // seconds accumulated from fixed steps since start
    float DeltaTime = 0.0f;  // seconds simulated in this pass: n fixed steps, n in 1..6
};

extern GameTime* gGameTime;
