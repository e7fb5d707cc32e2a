#pragma once

#include <cstddef>
#include <cstdint>

// The one vertex layout the device draws: 36 bytes.
struct GfxVertex {
    float X, Y, Z, W;  // position in camera units; Z is the depth, W 1
    uint32_t Argb;     // tint, 0xAARRGGBB
    float U0, V0;      // texture coordinate; v = 0 is the image's top row
    float U1, V1;      // second coordinate (the lighting shaders read cos r, sin r)
};

static_assert(sizeof(GfxVertex) == 36, "the vertex layout is 36 bytes");
static_assert(offsetof(GfxVertex, Argb) == 16 && offsetof(GfxVertex, U0) == 20 && offsetof(GfxVertex, U1) == 28,
              "attribute offsets of the vertex layout");

constexpr uint32_t PackArgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}
