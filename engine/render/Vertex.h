#pragma once

#include <cstdint>

#include "object/Color.h"
#include "platform/gfx/GfxVertex.h"

// The quad vertex every sprite, glyph and debug line is made of (36 bytes): position
// (x, y, depth, 1), tint as 0xAARRGGBB, texture coordinate, and (cos r, sin r) of the
// quad's rotation for the lighting shaders.
using Vertex = GfxVertex;

// The tint as the vertex stores it: 0xAARRGGBB, whatever the byte order of Color.
constexpr uint32_t ToArgb(Color color) {
    return PackArgb(color.R, color.G, color.B, color.A);
}
