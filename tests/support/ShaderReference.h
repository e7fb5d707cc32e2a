#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/gfx/GfxTypes.h"

class GfxTexture;

// CPU references of the frame's shaders, written from their arithmetic, for pixel tests
// that compare read-back targets at texel centres.
namespace ShaderReference {

struct Vec4 {
    float R = 0.0f;
    float G = 0.0f;
    float B = 0.0f;
    float A = 0.0f;
};

Vec4 operator*(const Vec4& a, const Vec4& b);
Vec4 operator*(const Vec4& a, float s);
Vec4 operator+(const Vec4& a, const Vec4& b);

// An RGBA8 image, top row first, sampled the way the device samples.
class Image {
public:
    Image(int width, int height, std::vector<uint8_t> pixels);
    static Image Read(const GfxTexture& texture);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    const std::vector<uint8_t>& Pixels() const { return mPixels; }
    Vec4 Texel(int x, int y) const;
    // Point or bilinear (magnification filter decides) with the sampler's addressing;
    // the image has one level.
    Vec4 Sample(float u, float v, const GfxSamplerState& sampler) const;

private:
    Vec4 AddressedTexel(int x, int y, const GfxSamplerState& sampler) const;

    int mWidth;
    int mHeight;
    std::vector<uint8_t> mPixels;
};

// The byte a target stores for a shader output.
uint8_t ToByte(float value);
std::array<int, 4> ToBytes(const Vec4& value);

// Texture coordinate of pixel (x, y)'s centre on a quad that spans the whole target
// with (0, 0) at its top left.
float CentreU(int x, int width);

// Gives the expected bytes of pixel (x, y), or false to skip the pixel.
using PixelReference = std::function<bool(int x, int y, std::array<int, 4>* expected)>;

// Compares a read-back target (RGBA bytes, top row first) with the reference at every
// pixel it does not skip, each channel within tolerance; reports the first few
// differences. Fails when no pixel was compared.
::testing::AssertionResult MatchesReference(const std::vector<uint8_t>& pixels, int width, int height,
                                            const PixelReference& reference, int tolerance = 2);

// SpritePS; empty where the fragment is discarded.
std::optional<Vec4> Sprite(const Vec4& texel, const Vec4& color);

struct LitTargets {
    Vec4 Color;
    Vec4 Normal;
    Vec4 Extras;
};
// LitSpritePS: cosR, sinR from the second texture coordinate; frontFacing false for a
// mirrored quad. Empty where discarded.
std::optional<LitTargets> LitSprite(const Vec4& texel, const Vec4& normalTexel, const Vec4& color, float cosR,
                                    float sinR, bool frontFacing);

Vec4 ExtrasComposite(const Vec4& texel, const Vec4& color);

// The blur passes: the weighted sum of seven coverage taps along (du, dv) around
// (u, v), as BlurFirstPS (darkness applied) and BlurSecondPS (darkness 1) output it.
Vec4 Blur(const Image& source, const GfxSamplerState& sampler, float u, float v, float du, float dv,
          const std::array<float, 4>& weights, float darkness, const Vec4& color);

// LightVS's screen coordinate for a pixel centre of a target of that size.
void LightScreenCoordinate(int x, int y, int width, int height, float* u, float* v);

struct LightInputs {
    Vec4 LightColor;   // light texture at the light's uv
    Vec4 LightNormal;  // light's normal map at the light's uv
    Vec4 SceneColor;
    Vec4 SceneNormal;
    Vec4 SceneExtras;
    Vec4 VertexColor;
};
// LightPS; empty where discarded.
std::optional<Vec4> Light(const LightInputs& in);

Vec4 BackgroundFirstPass(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time,
                         const Vec4& color);
Vec4 Background0(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time, const Vec4& color);
Vec4 Background1(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time, const Vec4& color);

}  // namespace ShaderReference
