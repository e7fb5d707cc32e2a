#include "object/RandomManager.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

RandomManager* gRandomManager = nullptr;

float RandomManager::UniformFloat(float a, float b) {
    // Without this the redraw below would never end.
    if (!(a < b)) {
        return a;
    }
    // An overflowing range would draw infinity or NaN, never below b.
    if (!std::isfinite(b - a)) {
        if (std::isfinite(a)) {
            return a;
        }
        const float low = std::clamp(a, -FLT_MAX, FLT_MAX);
        const float high = std::clamp(b, -FLT_MAX, FLT_MAX);
        return low / 2.0f + high / 2.0f;
    }
    constexpr float kTwoToMinus32 = 1.0f / 4294967296.0f;
    for (;;) {
        const float unit = static_cast<float>(mEngine()) * kTwoToMinus32;
        const float v = a + unit * (b - a);
        if (v < b) {
            return v;
        }
    }
}

Vector2 RandomManager::RandomPointInBox(Vector2 min, Vector2 max) {
    const float x = UniformFloat(min.X, max.X);
    const float y = UniformFloat(min.Y, max.Y);
    return Vector2(x, y);
}

int RandomManager::ChooseWeighted(std::span<const float> weights) {
    float sum = 0.0f;
    for (const float w : weights) {
        sum += std::max(w, 0.0f);
    }
    if (!(sum > 0.0f)) {
        return 0;
    }
    const float r = UniformFloat(0.0f, sum);
    // The first index whose running sum passes r, strictly: an entry that adds nothing
    // to the sum can never be the one that passes it. The running sum ends at exactly
    // sum, which exceeds r, so the loop always returns.
    float running = 0.0f;
    for (size_t i = 0; i < weights.size(); ++i) {
        running += std::max(weights[i], 0.0f);
        if (running > r) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(weights.size()) - 1;
}

float RandomManager::RandomSign() {
    return mEngine() <= 2147483647u ? 1.0f : -1.0f;
}
