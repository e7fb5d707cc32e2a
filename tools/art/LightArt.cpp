#include "tools/art/LightArt.h"

#include "tools/art/Palette.h"
#include "tools/draw/NormalMap.h"
#include "tools/draw/SpriteCanvas.h"

#include <cmath>
#include <functional>

namespace qv::tools {

namespace {

namespace pal = palette;

struct LightTexel {
    Rgba Colour;
    Vec3 TowardsLight;
};

using LightFunction = std::function<LightTexel(Vec2 point, Vec2 unitUv)>;

AtlasFrame LightFrame(std::string name, int side, bool trim, const LightFunction& light) {
    const SpriteCanvas grid(side, side);  // only for its pixel-to-unit mapping
    AtlasFrame frame{std::move(name), Image8(side, side), Image8(side, side), Image8(side, side), trim};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const Vec2 uv{(x + 0.5f) / side, (y + 0.5f) / side};
            const LightTexel texel = light(grid.PixelCentre(x, y), uv);
            std::uint8_t* c = frame.Colour.At(x, y);
            c[0] = ToByte(texel.Colour.R), c[1] = ToByte(texel.Colour.G), c[2] = ToByte(texel.Colour.B),
            c[3] = ToByte(texel.Colour.A);
            std::uint8_t* n = frame.Normal.At(x, y);
            EncodeDirection(texel.TowardsLight, n);
            n[3] = 255;
            frame.Specular.At(x, y)[3] = 255;
        }
    }
    return frame;
}

// A light hanging `height` above the frame's centre; alpha falls to zero at the edge of the disc.
LightFunction PointLight(Rgba colour, float height, float strength, float softness) {
    return [=](Vec2 p, Vec2) {
        const float r = Length(p);
        const float falloff = std::pow(Saturate(1.0f - r), softness);
        return LightTexel{WithAlpha(colour, strength * falloff), {-p.X, -p.Y, height}};
    };
}

// A cone opening towards +X from the frame's centre: a torch carried by something facing +X.
LightFunction SpotLight(Rgba colour, float halfAngle) {
    return [=](Vec2 p, Vec2) {
        const float r = Length(p);
        const float off = std::abs(std::atan2(p.Y, p.X));
        const float cone = Saturate((halfAngle - off) / (halfAngle * 0.5f));
        const float falloff = std::pow(Saturate(1.0f - r), 1.5f) * cone + std::pow(Saturate(1.0f - r * 4), 2.0f) * 0.5f;
        return LightTexel{WithAlpha(colour, 0.6f * Saturate(falloff)), {-p.X, -p.Y, 0.3f}};
    };
}

LightFunction DirectionTable(Rgba colour, float strength) {
    return [=](Vec2, Vec2 uv) { return LightTexel{WithAlpha(colour, strength), {uv.X * 2 - 1, uv.Y * 2 - 1, 0.6f}}; };
}

}  // namespace

std::vector<AtlasFrame> LightFrames() {
    return {
        LightFrame("PointLight", 128, true, PointLight(pal::White, 0.35f, 0.5f, 2.0f)),
        LightFrame("SoftLight", 256, true, PointLight(Hex(0xFFF0DC), 0.7f, 0.3f, 1.5f)),
        LightFrame("SpotLight", 128, true, SpotLight(Hex(0xFFF6E4), 0.5f)),
        LightFrame("ExitLight", 128, true, PointLight(Mix(pal::ExitGreen, pal::White, 0.3f), 0.3f, 0.6f, 2.0f)),
        LightFrame("DirectionalLight", 16, false, DirectionTable(Hex(0xFFEEDD), 0.25f)),
        LightFrame("DirectionalLightCool", 16, false, DirectionTable(Hex(0xC8DCFF), 0.2f)),
    };
}

}  // namespace qv::tools
