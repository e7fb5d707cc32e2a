#pragma once

#include <cstdint>

// An 8-bit RGBA colour; in memory R, G, B, A, so read as one little-endian word it is
// 0xAABBGGRR. Users that need a starting colour set it explicitly.
struct Color {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    uint8_t A = 0;

    constexpr Color() = default;
    constexpr Color(uint8_t r, uint8_t g, uint8_t b, uint8_t a) : R(r), G(g), B(b), A(a) {}

    constexpr bool operator==(const Color&) const = default;
};
