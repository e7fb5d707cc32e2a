#pragma once

#include "tools/atlas/TextureAtlas.h"

#include <vector>

namespace qv::tools {

// Frames of the sprite-light texture. The light shader reads a light's colour
// (intensity = rgb x 4 x alpha) from the colour layer and the direction
// towards the light from the normal layer, per texel, and lights the scene
// under the quad with dot(direction, scene normal):
// - point lights: the direction at each texel points back at the frame's centre, raised above the ground;
// - "DirectionalLight": a table sampled at one texel chosen by the "Direction" property d in [-1, 1]^2;
//   the texel for d holds the direction (d.x, d.y, 0.6) normalised, so d names where the light comes from.
std::vector<AtlasFrame> LightFrames();

}  // namespace qv::tools
