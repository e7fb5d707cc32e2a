#pragma once

#include "tools/atlas/TextureAtlas.h"

#include <vector>

namespace qv::tools {

// The interface texture: panels, buttons, map and menu icons, key pictures and
// the alternate-background choices. Drawn for the 1280 x 720 interface space.
std::vector<AtlasFrame> InterfaceFrames();

}  // namespace qv::tools
