#pragma once

#include <cstdint>
#include <vector>

namespace qv::tools {

// An 8-bit RGBA picture with straight (not premultiplied) alpha, rows top to bottom:
// the form every encoder takes.
struct Image8 {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  // Width * Height * 4 bytes

    Image8() = default;
    Image8(int width, int height)
        : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height * 4, 0) {}

    std::uint8_t* At(int x, int y) { return &Pixels[(static_cast<std::size_t>(y) * Width + x) * 4]; }
    const std::uint8_t* At(int x, int y) const { return &Pixels[(static_cast<std::size_t>(y) * Width + x) * 4]; }
};

}  // namespace qv::tools
