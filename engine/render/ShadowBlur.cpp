#include "render/ShadowBlur.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ShadowBlur {

namespace {

// No device makes textures wider than this; it also keeps the cast to int defined.
constexpr float kLargestTarget = 16384.0f;

int ReducedExtent(int extent, float reduction) {
    const float scaled = static_cast<float>(extent) * reduction;
    // Written so that NaN falls to the smallest size.
    if (!(scaled >= 1.0f)) {
        return 1;
    }
    return static_cast<int>(std::min(scaled, kLargestTarget));
}

}  // namespace

std::array<float, Radius + 1> Weights(float sigma) {
    std::array<float, Radius + 1> weights{1.0f, 0.0f, 0.0f, 0.0f};
    if (!(sigma > 0.0f)) {
        return weights;
    }
    const double r = sigma;
    for (int i = 0; i <= Radius; ++i) {
        weights[i] = static_cast<float>(std::exp(-(i * i) / (2.0 * r * r)) / std::sqrt(2.0 * std::numbers::pi * r * r));
    }
    return weights;
}

TargetSize TargetSizeFor(int screenWidth, int screenHeight, float reduction) {
    return {ReducedExtent(screenWidth, reduction), ReducedExtent(screenHeight, reduction)};
}

}  // namespace ShadowBlur
