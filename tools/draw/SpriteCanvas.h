#pragma once

#include "tools/draw/Grid.h"
#include "tools/draw/NormalMap.h"
#include "tools/draw/Paint.h"
#include "tools/draw/Sdf.h"
#include "tools/io/Image8.h"

namespace qv::tools {

// How a filled shape shapes the height field (and so the normal map) and the
// specular mask. A zero rise leaves the height alone: flat decals and markings.
struct Relief {
    float Rise = 0;       // height gained at the shape's crest, in drawing units
    float Bevel = 0.1f;   // distance from the edge over which the rise is reached
    bool Stack = true;    // add to the height below (a part on top) or replace it
    float Specular = -1;  // shininess written under the shape; negative leaves it
};

// A sprite being drawn: colour (premultiplied while drawing), height and
// specular layers of one frame. Drawing units put the origin at the frame's
// centre with +Y up, and one unit is half the shorter side, so a square frame
// spans [-1, 1] on both axes whatever its pixel size.
class SpriteCanvas {
public:
    SpriteCanvas(int width, int height);

    int Width() const { return mColour.Width(); }
    int Height() const { return mColour.Height(); }
    float PixelsPerUnit() const { return mPixelsPerUnit; }
    Vec2 PixelCentre(int x, int y) const;

    void Fill(const Sdf& shape, const Paint& paint, const Relief& relief = {});
    // Blends one pixel over the colour layer: text and other pre-rasterised marks.
    void BlendPixel(int x, int y, Rgba colour, float coverage);
    // Fills the shape grown by `width` in `outline` first, then the shape itself:
    // the dark contour that keeps sprites readable on the ground and on each other.
    void FillOutlined(const Sdf& shape, const Paint& paint, const Relief& relief, Rgba outline, float width);
    // Adds a small height pattern inside a shape: chitin grain, rock pits.
    void Roughen(const Sdf& region, const Noise& noise, float featureSize, float amount);

    // Multiplies the colour by a fixed light from the upper left, read from the
    // height's normals, so the picture reads as solid even where no sprite
    // light reaches. `strength` 0 leaves the colour flat.
    void BakeShading(float strength);

    Image8 ColourImage() const;
    Image8 NormalImage() const;
    Image8 SpecularImage() const;

private:
    template <class PixelFn>
    void ForEachPixelIn(const Box& bounds, PixelFn&& fn);

    float mPixelsPerUnit;
    Grid<Rgba> mColour;  // premultiplied
    Grid<float> mHeight;
    Grid<float> mSpecular;
};

// A picture's straight-alpha pixels from premultiplied colour.
Image8 ToImage8(const Grid<Rgba>& premultiplied);

}  // namespace qv::tools
