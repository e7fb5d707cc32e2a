#include "tools/draw/Noise.h"

#include <cmath>

namespace qv::tools {

std::uint32_t Hash32(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x7FEB352Du;
    value ^= value >> 15;
    value *= 0x846CA68Bu;
    value ^= value >> 16;
    return value;
}

float Noise::Lattice(int x, int y, int period, std::uint32_t salt) const {
    if (period > 0) {
        x = ((x % period) + period) % period;
        y = ((y % period) + period) % period;
    }
    const std::uint32_t h = Hash32(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^
                                   Hash32(static_cast<std::uint32_t>(y) + mSeed + salt * 0x632BE5ABu));
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float Noise::SampleWithPeriod(float x, float y, int period, std::uint32_t salt) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    auto smooth = [](float t) { return t * t * (3 - 2 * t); };
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const float a = Lattice(ix, iy, period, salt), b = Lattice(ix + 1, iy, period, salt);
    const float c = Lattice(ix, iy + 1, period, salt), d = Lattice(ix + 1, iy + 1, period, salt);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::Fractal(float x, float y, int octaves) const {
    float sum = 0, weight = 1, total = 0, scale = 1;
    int period = mPeriod;
    for (int i = 0; i < octaves; ++i) {
        sum += SampleWithPeriod(x * scale, y * scale, period, static_cast<std::uint32_t>(i)) * weight;
        total += weight;
        weight *= 0.5f;
        scale *= 2;
        period *= 2;
    }
    return sum / total;
}

}  // namespace qv::tools
