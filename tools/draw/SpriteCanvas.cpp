#include "tools/draw/SpriteCanvas.h"

#include <algorithm>
#include <cmath>

namespace qv::tools {

namespace {

void BlendOver(Rgba& dst, Rgba src, float coverage) {
    const float a = src.A * coverage;
    dst.R = src.R * a + dst.R * (1 - a);
    dst.G = src.G * a + dst.G * (1 - a);
    dst.B = src.B * a + dst.B * (1 - a);
    dst.A = a + dst.A * (1 - a);
}

// A rounded shoulder: steep at the edge, flat at the crest.
float DomeProfile(float inside, float bevel) {
    const float t = Saturate(inside / std::max(bevel, 1e-6f));
    return std::sqrt(1.0f - (1.0f - t) * (1.0f - t));
}

}  // namespace

SpriteCanvas::SpriteCanvas(int width, int height)
    : mPixelsPerUnit(std::min(width, height) * 0.5f),
      mColour(width, height),
      mHeight(width, height, 0.0f),
      mSpecular(width, height, 0.0f) {}

Vec2 SpriteCanvas::PixelCentre(int x, int y) const {
    return {(x + 0.5f - Width() * 0.5f) / mPixelsPerUnit, (Height() * 0.5f - (y + 0.5f)) / mPixelsPerUnit};
}

template <class PixelFn>
void SpriteCanvas::ForEachPixelIn(const Box& bounds, PixelFn&& fn) {
    // One extra pixel around the bounds holds the anti-aliased fringe.
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.Min.X * mPixelsPerUnit + Width() * 0.5f)) - 1);
    const int x1 =
        std::min(Width() - 1, static_cast<int>(std::ceil(bounds.Max.X * mPixelsPerUnit + Width() * 0.5f)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(Height() * 0.5f - bounds.Max.Y * mPixelsPerUnit)) - 1);
    const int y1 =
        std::min(Height() - 1, static_cast<int>(std::ceil(Height() * 0.5f - bounds.Min.Y * mPixelsPerUnit)) + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x)
            fn(x, y, PixelCentre(x, y));
    }
}

void SpriteCanvas::Fill(const Sdf& shape, const Paint& paint, const Relief& relief) {
    ForEachPixelIn(shape.Bounds(), [&](int x, int y, Vec2 p) {
        const float distance = shape(p);
        const float coverage = Saturate(0.5f - distance * mPixelsPerUnit);
        if (coverage <= 0)
            return;
        const float inside = -distance;
        BlendOver(mColour.At(x, y), paint(p, inside), coverage);
        if (relief.Rise != 0) {
            const float raised = relief.Rise * DomeProfile(inside, relief.Bevel);
            float& h = mHeight.At(x, y);
            h = relief.Stack ? h + raised * coverage : h + (raised - h) * coverage;
        }
        if (relief.Specular >= 0) {
            float& s = mSpecular.At(x, y);
            s += (relief.Specular - s) * coverage;
        }
    });
}

void SpriteCanvas::BlendPixel(int x, int y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height() || coverage <= 0)
        return;
    BlendOver(mColour.At(x, y), colour, Saturate(coverage));
}

void SpriteCanvas::FillOutlined(const Sdf& shape, const Paint& paint, const Relief& relief, Rgba outline, float width) {
    Fill(Grow(shape, width), Solid(outline), Relief{relief.Rise * 0.3f, width, relief.Stack, 0.0f});
    Fill(shape, paint, relief);
}

void SpriteCanvas::Roughen(const Sdf& region, const Noise& noise, float featureSize, float amount) {
    ForEachPixelIn(region.Bounds(), [&](int x, int y, Vec2 p) {
        const float coverage = Saturate(0.5f - region(p) * mPixelsPerUnit);
        if (coverage <= 0)
            return;
        const float n = noise.Fractal(p.X / featureSize, p.Y / featureSize, 2) - 0.5f;
        mHeight.At(x, y) += n * amount * coverage;
    });
}

void SpriteCanvas::BakeShading(float strength) {
    const Grid<Vec3> normals = NormalsFromHeight(mHeight, 1.0f / mPixelsPerUnit);
    const Vec3 light = Normalized({-0.55f, 0.65f, 0.55f});
    const Vec3 halfway = Normalized({light.X, light.Y, light.Z + 1.0f});
    const float flatLevel = 0.55f + 0.6f * light.Z;
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            Rgba& c = mColour.At(x, y);
            if (c.A <= 0)
                continue;
            const Vec3 n = normals.At(x, y);
            // Normalised so that flat parts keep their painted colour.
            const float diffuse = (0.55f + 0.6f * std::max(0.0f, Dot(n, light))) / flatLevel;
            const float shade = 1.0f + (diffuse - 1.0f) * strength;
            const float gloss = mSpecular.At(x, y) * std::pow(std::max(0.0f, Dot(n, halfway)), 24.0f) * 0.6f * strength;
            // Colour is premultiplied: highlights scale with coverage.
            c.R = c.R * shade + gloss * c.A;
            c.G = c.G * shade + gloss * c.A;
            c.B = c.B * shade + gloss * c.A;
        }
    }
}

Image8 ToImage8(const Grid<Rgba>& premultiplied) {
    Image8 image(premultiplied.Width(), premultiplied.Height());
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            const Rgba& c = premultiplied.At(x, y);
            std::uint8_t* p = image.At(x, y);
            const std::uint8_t alpha = ToByte(c.A);
            if (alpha == 0)
                continue;  // fully transparent texels stay black, so filtering pulls in no colour
            const float a = std::max(c.A, 1e-6f);
            p[0] = ToByte(c.R / a);
            p[1] = ToByte(c.G / a);
            p[2] = ToByte(c.B / a);
            p[3] = alpha;
        }
    }
    return image;
}

Image8 SpriteCanvas::ColourImage() const {
    return ToImage8(mColour);
}

Image8 SpriteCanvas::NormalImage() const {
    return qv::tools::NormalImage(NormalsFromHeight(mHeight, 1.0f / mPixelsPerUnit));
}

Image8 SpriteCanvas::SpecularImage() const {
    Image8 image(Width(), Height());
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = p[1] = p[2] = ToByte(mSpecular.At(x, y));
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace qv::tools
