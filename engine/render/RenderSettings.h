#pragma once

#include <cstdint>
#include <string>

// The frame's effect parameters. The gameplay and level-select screens write them every
// pass; the renderer reads them while drawing.
struct RenderSettings {
    // The background's second pass: 0 streams the picture out of the centre, 1 lays it
    // on a receding plane; any other value repeats the first pass's swirl.
    int32_t BackgroundMode = 0;
    // The texture the background is made from; a name that finds no texture skips the
    // background, leaving the cleared colour.
    std::string BackgroundTexture;
    // Animation times of the background's two passes, in seconds.
    float FirstPassTime = 0.0f;
    float SecondPassTime = 0.0f;
    // Set: the frame keeps the previous colour and clears only depth.
    uint8_t NoColorClear = 0;
    // Gaussian sigma of the shadow blur, in blur-target texels; 0 or less leaves the
    // lit sprites' coverage unblurred.
    float ShadowRadius = 3.0f;
    // Size of the blur targets as a fraction of the screen (at least 1 x 1).
    float ShadowReduction = 0.25f;
    // Opacity factor of the shadow.
    float ShadowDarkness = 1.0f;
};
