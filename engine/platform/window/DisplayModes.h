#pragma once

#include <vector>

struct VideoMode {
    int Width = 0;
    int Height = 0;
    int RefreshRate = 0;  // Hz; 0 when the system does not say
};

// The modes the primary display offers, in the order the system lists them.
// Needs a running SdlVideo.
std::vector<VideoMode> ListDisplayModes();
