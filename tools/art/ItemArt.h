#pragma once

#include "tools/atlas/TextureAtlas.h"

#include <vector>

namespace qv::tools {

// Lit level pieces: pills, weapon pick-ups with their borders, the exit and walls.
std::vector<AtlasFrame> ItemFrames();

}  // namespace qv::tools
