#pragma once

#include "tools/atlas/TextureAtlas.h"

#include <vector>

namespace qv::tools {

// The texture "Editor": "1PixelWhite" (which debug lines and plain rectangles
// sample) and the editor's widgets, drawn flat and crisp for point filtering.
std::vector<AtlasFrame> EditorFrames();

}  // namespace qv::tools
