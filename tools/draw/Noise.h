#pragma once

#include <cstdint>

namespace qv::tools {

// Seeded value noise: the same seed always gives the same field, so the
// content build is reproducible. With a period the field tiles: Fractal(x + period, y) == Fractal(x, y).
class Noise {
public:
    explicit Noise(std::uint32_t seed, int period = 0) : mSeed(seed), mPeriod(period) {}

    // Smooth noise in [0, 1]: a sum of octaves, the first with features one unit
    // apart, each next one twice the frequency and half the weight.
    float Fractal(float x, float y, int octaves) const;

private:
    float Lattice(int x, int y, int period, std::uint32_t salt) const;
    float SampleWithPeriod(float x, float y, int period, std::uint32_t salt) const;

    std::uint32_t mSeed;
    int mPeriod;
};

// A 32-bit integer hash; the building block of every seeded choice.
std::uint32_t Hash32(std::uint32_t value);

}  // namespace qv::tools
