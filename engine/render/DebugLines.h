#pragma once

#include "object/Color.h"
#include "object/Vector2.h"
#include "render/Vertex.h"

class TextureManager;

// Physics debug lines are drawn at once as line strips, outside the quad batches, with
// the texture already on stage 0 (the texture "Editor", whose frame "1PixelWhite" is
// sampled at its centre so the lines take their colour alone). The drawing itself is
// Graphics::DrawDebugPrimitive.
class DebugLines {
public:
    // Longer point lists are cut to this many points.
    static constexpr int MaxPoints = 99;
    // Room a strip needs: every point plus the repeated first one of a closed strip.
    static constexpr int MaxVertices = MaxPoints + 1;
    static constexpr const char* TextureName = "Editor";
    static constexpr const char* WhiteFrameName = "1PixelWhite";

    // Writes the strip's vertices into out (MaxVertices entries) and returns how many:
    // one per point at (x, y, 1, 1), the first repeated at the end when closed. Fewer
    // than two points make no line and give 0.
    static int BuildStrip(const Vector2* points, int count, Color color, bool closed, Vector2 texel, Vertex* out);

    // The centre of the white frame in texture coordinates; the texture's centre when
    // the texture or the frame is missing.
    static Vector2 FindWhiteTexel(const TextureManager* textures);
};
