#pragma once

#include <cstdint>

// Fixed sizes of the device's shared state.
constexpr int kGfxMaxRenderTargets = 3;
constexpr int kGfxSamplerUnits = 8;
constexpr int kGfxVertexConstantRegisters = 4;  // c0-c3
constexpr int kGfxPixelConstantRegisters = 3;   // c0-c2

enum class GfxShaderStage : uint8_t { Vertex, Pixel };

// Levels of a texture: level 0 only, or the full chain down to 1 x 1.
enum class GfxMips : uint8_t { One, Full };

enum class GfxAddress : uint8_t {
    Wrap,
    Mirror,
    Clamp,
    Border,  // outside [0, 1] reads transparent black
};

// None is meaningful only as a mip filter; Anisotropic falls back to Linear where the
// driver lacks anisotropic filtering.
enum class GfxFilter : uint8_t { None, Point, Linear, Anisotropic };

struct GfxSamplerState {
    GfxAddress AddressU = GfxAddress::Wrap;
    GfxAddress AddressV = GfxAddress::Wrap;
    GfxFilter MagFilter = GfxFilter::Point;
    GfxFilter MinFilter = GfxFilter::Point;
    GfxFilter MipFilter = GfxFilter::None;

    bool operator==(const GfxSamplerState&) const = default;
};

enum class GfxBlend : uint8_t {
    Zero,
    One,
    SrcColor,
    InvSrcColor,
    SrcAlpha,
    InvSrcAlpha,
    DestAlpha,
    InvDestAlpha,
    DestColor,
    InvDestColor,
};

// Min and Max ignore the blend factors.
enum class GfxBlendOp : uint8_t { Add, Subtract, RevSubtract, Min, Max };

// Without SeparateAlpha the alpha channel blends with the colour factors and operation.
struct GfxBlendState {
    bool Enabled = false;
    GfxBlend Src = GfxBlend::One;
    GfxBlend Dest = GfxBlend::Zero;
    GfxBlendOp Op = GfxBlendOp::Add;
    bool SeparateAlpha = false;
    GfxBlend SrcAlpha = GfxBlend::One;
    GfxBlend DestAlpha = GfxBlend::Zero;
    GfxBlendOp AlphaOp = GfxBlendOp::Add;

    bool operator==(const GfxBlendState&) const = default;
};

enum class GfxFillMode : uint8_t { Solid, Wireframe };

// In pixels of render target 0, origin at its top-left pixel.
struct GfxViewport {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    float MinZ = 0.0f;
    float MaxZ = 1.0f;

    bool operator==(const GfxViewport&) const = default;
};

struct GfxColor {
    float R = 0.0f;
    float G = 0.0f;
    float B = 0.0f;
    float A = 0.0f;
};

enum GfxClearFlags : unsigned {
    GfxClearColor = 1u,
    GfxClearDepth = 2u,
};
