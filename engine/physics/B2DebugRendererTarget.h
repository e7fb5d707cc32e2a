#pragma once

#include "physics/B2DebugDrawer.h"

// The renderer as the debug drawer's target: outlines go to its debug lines, pixel
// sizes follow its world camera and back-buffer width. Does nothing without gGraphics.
DebugDrawTarget& RendererDebugDrawTarget();
