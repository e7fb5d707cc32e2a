#pragma once

#include "tools/draw/Paint.h"
#include "tools/draw/Sdf.h"
#include "tools/draw/SpriteCanvas.h"

// Building blocks shared by the sprite descriptions, so each sprite is a few
// lines of parts rather than its own drawing code.
namespace qv::tools::kit {

constexpr float kOutline = 0.05f;  // contour width in drawing units (1.6 px on a 64 px frame)

// A glossy rounded surface: lit from the upper left, darkening to `dark` at the far side and the rim.
Paint Shell(Vec2 centre, float radius, Rgba base, Rgba dark);
// Polished metal: a bright band across a darker body.
Paint Steel(Vec2 centre, float radius);

// A two-segment insect leg from `hip`: thigh and shin angles (radians) and lengths.
Sdf Leg(Vec2 hip, float thighAngle, float thighLength, float shinAngle, float shinLength, float thickness);
// A lumpy closed outline around a centre, radii varied by a seed: rocks, chunks.
Sdf Lump(Vec2 centre, float radius, float roughness, int corners, std::uint32_t seed);

Relief Dome(float rise, float bevel, float specular);
// A body part with a contour, domed and shaded.
void Part(SpriteCanvas& canvas, const Sdf& shape, const Paint& paint, float rise, float specular = 0.35f);
// Thin dark appendages (legs, antennae) with a contour.
void Limb(SpriteCanvas& canvas, const Sdf& shape, Rgba colour);

}  // namespace qv::tools::kit
