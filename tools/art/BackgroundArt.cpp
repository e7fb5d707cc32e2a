#include "tools/art/BackgroundArt.h"

#include "tools/draw/Noise.h"
#include "tools/draw/Rgba.h"
#include "tools/draw/Vec2.h"
#include "tools/io/PngEncoder.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace qv::tools {

namespace {

constexpr int kSide = 256;
constexpr int kPeriod = 4;  // noise features across the picture; keeps it tileable

using Pattern = std::function<Rgba(Vec2 uv)>;

// Colour along evenly spaced stops.
Rgba Ramp(const std::vector<Rgba>& stops, float t) {
    const float scaled = Saturate(t) * static_cast<float>(stops.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(scaled), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], scaled - static_cast<float>(i));
}

// Noise that tiles over the unit square.
float Field(const Noise& noise, Vec2 uv, float scale, int octaves) {
    return noise.Fractal(uv.X * kPeriod * scale, uv.Y * kPeriod * scale, octaves);
}

float Wave(float x) {
    return 0.5f + 0.5f * std::sin(2 * kPi * x);
}

Pattern Cells() {
    const Noise warp(101, kPeriod), detail(102, kPeriod * 2);
    return [=](Vec2 uv) {
        const float w = Field(warp, uv, 1, 3);
        const float n = detail.Fractal((uv.X + w * 0.25f) * kPeriod * 2, (uv.Y - w * 0.25f) * kPeriod * 2, 3);
        const float veins = std::pow(1.0f - std::abs(n - 0.5f) * 2.0f, 6.0f);
        return Mix(Ramp({Hex(0x07061A), Hex(0x1A1040), Hex(0x2A1860)}, w), Hex(0x3C8CB0), veins * 0.6f);
    };
}

Pattern Waves() {
    const Noise warp(201, kPeriod);
    return [=](Vec2 uv) {
        const float w = Field(warp, uv, 1, 3);
        const float band = Wave(3 * uv.X + 2 * uv.Y + 1.5f * w);
        return Ramp({Hex(0x03141A), Hex(0x0A3038), Hex(0x146060)}, band * 0.8f + w * 0.2f);
    };
}

Pattern Rings() {
    const Noise warp(301, kPeriod);
    return [=](Vec2 uv) {
        // Distance to the nearest copy of the centre, so rings continue across the seams.
        const float dx = std::abs(uv.X - 0.5f), dy = std::abs(uv.Y - 0.5f);
        const float d = std::sqrt(dx * dx + dy * dy);
        const float w = Field(warp, uv, 1, 2);
        const float ring = Wave(d * 6 + w * 0.8f);
        const float edge = Saturate((0.5f - std::max(dx, dy)) * 20);  // fade rings to the plain tone at the seams
        return Ramp({Hex(0x12041A), Hex(0x3A0C40), Hex(0x70206A)}, (ring * edge + w * (1 - edge)) * 0.85f);
    };
}

Pattern Candy() {
    const Noise warp(401, kPeriod);
    return [=](Vec2 uv) {
        const float w = Field(warp, uv, 1, 2);
        const float stripe = Wave(4 * uv.X + 4 * uv.Y + w);
        return Ramp({Hex(0xFF4AA0), Hex(0xFFB040), Hex(0xFFF070)}, stripe);
    };
}

Pattern Checks() {
    const Noise warp(501, kPeriod);
    return [=](Vec2 uv) {
        const float w = Field(warp, uv, 1, 3);
        const float cx = Wave(4 * uv.X + w * 0.6f) - 0.5f, cy = Wave(4 * uv.Y - w * 0.6f) - 0.5f;
        const float check = Saturate(0.5f + cx * cy * 8.0f);
        return Mix(Ramp({Hex(0x041A0C), Hex(0x0C3A1A)}, w), Hex(0x5A7020), check * 0.55f);
    };
}

Pattern Cracks() {
    const Noise cracks(601, kPeriod * 2), glow(602, kPeriod);
    return [=](Vec2 uv) {
        const float n = Field(cracks, uv, 2, 4);
        const float crack = std::pow(1.0f - std::abs(n - 0.5f) * 2.0f, 10.0f);
        const float heat = Field(glow, uv, 1, 2);
        return Mix(Ramp({Hex(0x0C0204), Hex(0x2A0608)}, heat), Ramp({Hex(0xA01808), Hex(0xFF7020)}, heat), crack);
    };
}

Pattern PatternFor(const std::string& name) {
    if (name == "Background1")
        return Cells();
    if (name == "Background2")
        return Waves();
    if (name == "Background3")
        return Rings();
    if (name == "BackgroundPill")
        return Candy();
    if (name == "BackgroundBonus")
        return Checks();
    if (name == "BackgroundBoss")
        return Cracks();
    throw std::invalid_argument("no background named '" + name + "'");
}

}  // namespace

std::vector<std::string> BackgroundNames() {
    return {"Background1", "Background2", "Background3", "BackgroundPill", "BackgroundBonus", "BackgroundBoss"};
}

Image8 BackgroundPicture(const std::string& name) {
    const Pattern pattern = PatternFor(name);
    Image8 image(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Rgba c = pattern({static_cast<float>(x) / kSide, static_cast<float>(y) / kSide});
            std::uint8_t* p = image.At(x, y);
            p[0] = ToByte(c.R), p[1] = ToByte(c.G), p[2] = ToByte(c.B), p[3] = 255;
        }
    }
    return image;
}

std::vector<OutputFile> BackgroundFiles(const std::filesystem::path& bankFolder) {
    std::vector<OutputFile> files;
    for (const std::string& name : BackgroundNames()) {
        files.push_back({bankFolder / (name + ".sheet"), EncodePng(BackgroundPicture(name))});
    }
    return files;
}

}  // namespace qv::tools
