#include "tools/art/ArtKit.h"

#include "tools/art/Palette.h"

namespace qv::tools::kit {

Paint Shell(Vec2 centre, float radius, Rgba base, Rgba dark) {
    const Vec2 highlight = centre + Vec2{-0.35f * radius, 0.4f * radius};
    const Rgba bright = Mix(base, palette::White, 0.25f);
    return EdgeDarkened(Radial(highlight, radius * 1.6f, bright, Mix(base, dark, 0.7f)), radius * 0.35f, 0.35f);
}

Paint Steel(Vec2 centre, float radius) {
    const Paint body = Linear(centre + Vec2{0, radius}, centre - Vec2{0, radius},
                              Mix(palette::Metal, palette::White, 0.3f), palette::MetalDark);
    return EdgeDarkened(body, radius * 0.3f, 0.3f);
}

Sdf Leg(Vec2 hip, float thighAngle, float thighLength, float shinAngle, float shinLength, float thickness) {
    const Vec2 knee = hip + FromAngle(thighAngle, thighLength);
    const Vec2 foot = knee + FromAngle(shinAngle, shinLength);
    return Union(Capsule(hip, knee, thickness, thickness * 0.85f),
                 Capsule(knee, foot, thickness * 0.8f, thickness * 0.45f));
}

Sdf Lump(Vec2 centre, float radius, float roughness, int corners, std::uint32_t seed) {
    std::vector<Vec2> points;
    for (int i = 0; i < corners; ++i) {
        const float jitter = static_cast<float>(Hash32(seed * 977u + static_cast<std::uint32_t>(i)) % 1000) / 1000.0f;
        const float r = radius * (1.0f - roughness + 2.0f * roughness * jitter);
        points.push_back(centre + FromAngle(2.0f * kPi * i / corners, r));
    }
    return Polygon(std::move(points));
}

Relief Dome(float rise, float bevel, float specular) {
    return Relief{rise, bevel, true, specular};
}

void Part(SpriteCanvas& canvas, const Sdf& shape, const Paint& paint, float rise, float specular) {
    canvas.FillOutlined(shape, paint, Dome(rise, rise * 0.9f, specular), palette::Outline, kOutline);
}

void Limb(SpriteCanvas& canvas, const Sdf& shape, Rgba colour) {
    canvas.FillOutlined(shape, Solid(colour), Dome(0.05f, 0.04f, 0.2f), palette::Outline, kOutline * 0.6f);
}

}  // namespace qv::tools::kit
