#pragma once

#include "tools/atlas/TextureAtlas.h"
#include "tools/draw/SpriteCanvas.h"

#include <functional>
#include <string>

namespace qv::tools {

using DrawFunction = std::function<void(SpriteCanvas&)>;

// A frame for a lit texture: colour with baked shading, normals from the drawn
// heights, and the specular mask.
AtlasFrame LitFrame(std::string name, int width, int height, const DrawFunction& draw, float shading = 0.6f);
// A frame for an unlit texture; `shading` bakes the relief into the colour.
AtlasFrame UnlitFrame(std::string name, int width, int height, const DrawFunction& draw, float shading = 0.0f);
// "1PixelWhite": an opaque white block whose centre texel any sprite or line can sample as plain colour.
AtlasFrame SolidWhiteFrame(bool lit);

}  // namespace qv::tools
