#pragma once

#include <array>

// The arithmetic of the shadow blur: a 7-tap Gaussian run at a fraction of the screen.
namespace ShadowBlur {

// Taps on each side of the centre.
constexpr int Radius = 3;

struct TargetSize {
    int Width = 1;
    int Height = 1;

    bool operator==(const TargetSize&) const = default;
};

// Weights of offsets 0..3 for sigma: exp(-i^2 / (2 sigma^2)) / sqrt(2 pi sigma^2),
// computed in double. A sigma of 0 or less (or not a number) gives (1, 0, 0, 0), which
// leaves the coverage as it is, where the formula would divide by zero.
std::array<float, Radius + 1> Weights(float sigma);

// The screen size times reduction, truncated, and never below 1 x 1 (nor above the
// largest texture a device makes), whatever the reduction.
TargetSize TargetSizeFor(int screenWidth, int screenHeight, float reduction);

}  // namespace ShadowBlur
