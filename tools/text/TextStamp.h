#pragma once

#include "tools/draw/SpriteCanvas.h"
#include "tools/text/FontFace.h"

#include <string_view>

namespace qv::tools {

// Draws a line of text centred on a point (drawing units) of a canvas: labels
// baked into interface pictures such as key caps.
void StampText(SpriteCanvas& canvas, const FontFace& face, std::string_view text, Vec2 centre, Rgba colour);

}  // namespace qv::tools
