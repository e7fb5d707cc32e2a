#pragma once

#include <algorithm>
#include <cstdint>

namespace qv::tools {

// A colour with straight alpha, components in [0, 1].
struct Rgba {
    float R = 0;
    float G = 0;
    float B = 0;
    float A = 0;
};

// 0xRRGGBB as a colour.
constexpr Rgba Hex(std::uint32_t rgb, float alpha = 1.0f) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

inline Rgba Mix(Rgba a, Rgba b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

// Multiplies the colour, not the alpha: shading.
inline Rgba Shade(Rgba c, float k) {
    return {c.R * k, c.G * k, c.B * k, c.A};
}

inline Rgba WithAlpha(Rgba c, float alpha) {
    return {c.R, c.G, c.B, alpha};
}

inline float Saturate(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

inline std::uint8_t ToByte(float v) {
    return static_cast<std::uint8_t>(Saturate(v) * 255.0f + 0.5f);
}

}  // namespace qv::tools
