#pragma once

#include "tools/atlas/TextureAtlas.h"
#include "tools/draw/SpriteCanvas.h"

#include <vector>

namespace qv::tools {

// Unlit effects for the plain and additive layers: shots, particles, glows and the aim cursor.
std::vector<AtlasFrame> EffectFrames();

// The aim cross-hair, shared by the in-world cursor frame and the window cursor.
void DrawAimCursor(SpriteCanvas& canvas);

}  // namespace qv::tools
