#include "tools/draw/NormalMap.h"

#include "tools/draw/Rgba.h"

#include <cmath>

namespace qv::tools {

Vec3 Normalized(Vec3 v) {
    const float length = std::sqrt(Dot(v, v));
    return length > 0 ? Vec3{v.X / length, v.Y / length, v.Z / length} : Vec3{0, 0, 1};
}

void EncodeDirection(Vec3 direction, std::uint8_t* rgb) {
    const Vec3 n = Normalized(direction);
    rgb[0] = ToByte(n.X * 0.5f + 0.5f);
    rgb[1] = ToByte(n.Y * 0.5f + 0.5f);
    rgb[2] = ToByte(n.Z * 0.5f + 0.5f);
}

Grid<Vec3> NormalsFromHeight(const Grid<float>& height, float unitsPerPixel) {
    Grid<Vec3> normals(height.Width(), height.Height());
    auto h = [&](int x, int y) { return height.Clamped(x, y); };
    const float step = 2.0f * unitsPerPixel;
    for (int y = 0; y < height.Height(); ++y) {
        for (int x = 0; x < height.Width(); ++x) {
            const float dx = (h(x + 1, y) - h(x - 1, y)) / step;
            // Rows run downwards while +Y points up, hence the reversed difference.
            const float dy = (h(x, y - 1) - h(x, y + 1)) / step;
            normals.At(x, y) = Normalized({-dx, -dy, 1.0f});
        }
    }
    return normals;
}

Image8 NormalImage(const Grid<Vec3>& normals) {
    Image8 image(normals.Width(), normals.Height());
    for (int y = 0; y < normals.Height(); ++y) {
        for (int x = 0; x < normals.Width(); ++x) {
            std::uint8_t* p = image.At(x, y);
            EncodeDirection(normals.At(x, y), p);
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace qv::tools
