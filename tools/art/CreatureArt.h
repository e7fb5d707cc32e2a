#pragma once

#include "tools/atlas/TextureAtlas.h"

#include <vector>

namespace qv::tools {

// The player and the insects, lit, every one facing +X (rotation 0) so that a
// sprite turned by its movement or aim angle looks where it goes.
std::vector<AtlasFrame> CreatureFrames();

}  // namespace qv::tools
