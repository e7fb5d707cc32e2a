#pragma once

#include "tools/draw/Grid.h"
#include "tools/io/Image8.h"

namespace qv::tools {

struct Vec3 {
    float X = 0;
    float Y = 0;
    float Z = 0;
};

Vec3 Normalized(Vec3 v);
inline float Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

// A unit vector stored in a colour as v * 0.5 + 0.5, the form the lighting shaders decode.
void EncodeDirection(Vec3 direction, std::uint8_t* rgb);

// Surface normals of a height field, in picture space with +Y pointing to the
// top of the picture (the renderer draws the top of a frame at world +Y).
// `unitsPerPixel` converts pixel steps to the height's units; the edges repeat their neighbours.
Grid<Vec3> NormalsFromHeight(const Grid<float>& height, float unitsPerPixel);

// The normals as a normal-map picture (alpha opaque).
Image8 NormalImage(const Grid<Vec3>& normals);

}  // namespace qv::tools
