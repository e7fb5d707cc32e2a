#pragma once

#include "tools/draw/Noise.h"
#include "tools/draw/Rgba.h"
#include "tools/draw/Vec2.h"

#include <functional>

namespace qv::tools {

// The colour of a shape at a point; `inside` is how far the point lies inside
// the shape's edge, in the same units as the point.
using Paint = std::function<Rgba(Vec2 point, float inside)>;

Paint Solid(Rgba colour);
// From `c0` at `from` to `c1` at `to`, constant across the line.
Paint Linear(Vec2 from, Vec2 to, Rgba c0, Rgba c1);
// From `inner` at the centre to `outer` at the radius and beyond.
Paint Radial(Vec2 centre, float radius, Rgba inner, Rgba outer);
// The base paint darkened towards the edge over `width`: a soft rim that keeps
// silhouettes readable on any ground.
Paint EdgeDarkened(Paint base, float width, float darkness);
// The base paint with its brightness varied by noise of the given feature size.
Paint Mottled(Paint base, const Noise& noise, float featureSize, float amount);
// Stripes across the base paint: bands of `stripe` colour along `direction`.
Paint Banded(Paint base, Vec2 direction, float period, float duty, Rgba stripe);

}  // namespace qv::tools
