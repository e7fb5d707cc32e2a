#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <span>

#include "object/Vector2.h"

// The random numbers shared by gameplay, particles and sound cues: one Mersenne
// Twister, seeded with the standard default and re-seeded by the application with the
// calendar time so that every run differs.
class RandomManager {
public:
    RandomManager() = default;
    virtual ~RandomManager() = default;

    // Tests seed it to get a known sequence.
    void Seed(uint32_t seed) { mEngine.seed(seed); }

    // A uniform float in [a, b), computed in single precision from one 32-bit draw,
    // drawn again when rounding reaches b. a when the range is empty (a >= b). A range
    // too wide for a float gives a, or the midpoint of the bounds clamped to finite
    // floats when a is infinite.
    float UniformFloat(float a, float b);
    // Per axis, x first: a uniform float in [min, max), or min when the range is empty.
    Vector2 RandomPointInBox(Vector2 min, Vector2 max);
    // An index drawn with the given weights; a weight of zero (or below) never wins.
    // 0 when there are no weights or none is positive.
    int ChooseWeighted(std::span<const float> weights);
    int ChooseWeighted(std::initializer_list<float> weights) {
        return ChooseWeighted(std::span<const float>(weights.begin(), weights.size()));
    }
    // +1 or -1, an even split of the engine's values.
    float RandomSign();

    // For callers that draw from the engine directly.
    std::mt19937& Engine() { return mEngine; }

private:
    std::mt19937 mEngine;  // default seed 5489
};

extern RandomManager* gRandomManager;
