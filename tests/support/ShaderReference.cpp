#include "ShaderReference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>

#include "platform/gfx/GfxTexture.h"

namespace ShaderReference {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float Saturate(float x) {
    return std::clamp(x, 0.0f, 1.0f);
}

float Sign(float x) {
    return x > 0.0f ? 1.0f : (x < 0.0f ? -1.0f : 0.0f);
}

struct Vec3 {
    float X, Y, Z;
};

float Dot(const Vec3& a, const Vec3& b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

Vec3 Normalize(const Vec3& v) {
    const float length = std::sqrt(Dot(v, v));
    return {v.X / length, v.Y / length, v.Z / length};
}

Vec3 Unpack(const Vec4& texel) {
    return {texel.R * 2.0f - 1.0f, texel.G * 2.0f - 1.0f, texel.B * 2.0f - 1.0f};
}

// Index of texel i along an axis of n texels; -1 for the border.
int Address(int i, int n, GfxAddress address) {
    switch (address) {
        case GfxAddress::Wrap: return ((i % n) + n) % n;
        case GfxAddress::Mirror: {
            const int m = ((i % (2 * n)) + 2 * n) % (2 * n);
            return m < n ? m : 2 * n - 1 - m;
        }
        case GfxAddress::Clamp: return std::clamp(i, 0, n - 1);
        case GfxAddress::Border: return (i < 0 || i >= n) ? -1 : i;
    }
    return -1;
}

Vec4 Lerp(const Vec4& a, const Vec4& b, float t) {
    return a * (1.0f - t) + b * t;
}

}  // namespace

Vec4 operator*(const Vec4& a, const Vec4& b) {
    return {a.R * b.R, a.G * b.G, a.B * b.B, a.A * b.A};
}

Vec4 operator*(const Vec4& a, float s) {
    return {a.R * s, a.G * s, a.B * s, a.A * s};
}

Vec4 operator+(const Vec4& a, const Vec4& b) {
    return {a.R + b.R, a.G + b.G, a.B + b.B, a.A + b.A};
}

Image::Image(int width, int height, std::vector<uint8_t> pixels)
    : mWidth(width), mHeight(height), mPixels(std::move(pixels)) {
    if (mPixels.size() != static_cast<size_t>(width) * height * 4) {
        throw std::invalid_argument("image pixels do not match its size");
    }
}

Image Image::Read(const GfxTexture& texture) {
    return Image(texture.Width(), texture.Height(), texture.ReadPixels());
}

Vec4 Image::Texel(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * mWidth + x) * 4;
    return {mPixels[i] / 255.0f, mPixels[i + 1] / 255.0f, mPixels[i + 2] / 255.0f, mPixels[i + 3] / 255.0f};
}

Vec4 Image::AddressedTexel(int x, int y, const GfxSamplerState& sampler) const {
    const int ax = Address(x, mWidth, sampler.AddressU);
    const int ay = Address(y, mHeight, sampler.AddressV);
    if (ax < 0 || ay < 0) {
        return {};
    }
    return Texel(ax, ay);
}

Vec4 Image::Sample(float u, float v, const GfxSamplerState& sampler) const {
    const float x = u * static_cast<float>(mWidth);
    const float y = v * static_cast<float>(mHeight);
    if (sampler.MagFilter == GfxFilter::Point) {
        return AddressedTexel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), sampler);
    }
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - static_cast<float>(x0);
    const float ty = fy - static_cast<float>(y0);
    const Vec4 top = Lerp(AddressedTexel(x0, y0, sampler), AddressedTexel(x0 + 1, y0, sampler), tx);
    const Vec4 bottom = Lerp(AddressedTexel(x0, y0 + 1, sampler), AddressedTexel(x0 + 1, y0 + 1, sampler), tx);
    return Lerp(top, bottom, ty);
}

uint8_t ToByte(float value) {
    return static_cast<uint8_t>(std::lround(Saturate(value) * 255.0f));
}

std::array<int, 4> ToBytes(const Vec4& value) {
    return {ToByte(value.R), ToByte(value.G), ToByte(value.B), ToByte(value.A)};
}

float CentreU(int x, int width) {
    return (static_cast<float>(x) + 0.5f) / static_cast<float>(width);
}

::testing::AssertionResult MatchesReference(const std::vector<uint8_t>& pixels, int width, int height,
                                            const PixelReference& reference, int tolerance) {
    int mismatches = 0;
    int compared = 0;
    std::ostringstream report;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::array<int, 4> expected{};
            if (!reference(x, y, &expected)) {
                continue;
            }
            ++compared;
            const size_t i = (static_cast<size_t>(y) * width + x) * 4;
            bool ok = true;
            for (int c = 0; c < 4; ++c) {
                ok = ok && std::abs(pixels[i + c] - expected[c]) <= tolerance;
            }
            if (!ok && ++mismatches <= 5) {
                report << " (" << x << ", " << y << "): got " << int(pixels[i]) << " " << int(pixels[i + 1]) << " "
                       << int(pixels[i + 2]) << " " << int(pixels[i + 3]) << ", expected " << expected[0] << " "
                       << expected[1] << " " << expected[2] << " " << expected[3] << ";";
            }
        }
    }
    if (compared == 0) {
        return ::testing::AssertionFailure() << "no pixel was compared";
    }
    if (mismatches > 0) {
        return ::testing::AssertionFailure() << mismatches << " of " << compared << " pixels differ:" << report.str();
    }
    return ::testing::AssertionSuccess() << compared << " pixels match";
}

std::optional<Vec4> Sprite(const Vec4& texel, const Vec4& color) {
    const Vec4 c = texel * color;
    if (c.A == 0.0f) {
        return std::nullopt;
    }
    return c;
}

std::optional<LitTargets> LitSprite(const Vec4& texel, const Vec4& normalTexel, const Vec4& color, float cosR,
                                    float sinR, bool frontFacing) {
    const Vec4 c = texel * color;
    if (c.A == 0.0f) {
        return std::nullopt;
    }
    Vec3 n = Unpack(normalTexel);
    if (!frontFacing) {
        n.X = -n.X;
    }
    const Vec3 turned{n.X * cosR - n.Y * sinR, n.X * sinR + n.Y * cosR, n.Z};
    LitTargets out;
    out.Color = c;
    out.Normal = {turned.X * 0.5f + 0.5f, turned.Y * 0.5f + 0.5f, turned.Z * 0.5f + 0.5f, c.A};
    out.Extras = {normalTexel.A, 0.0f, 0.0f, c.A};
    return out;
}

Vec4 ExtrasComposite(const Vec4& texel, const Vec4& color) {
    return {color.R, color.G, color.B, texel.A * color.A};
}

Vec4 Blur(const Image& source, const GfxSamplerState& sampler, float u, float v, float du, float dv,
          const std::array<float, 4>& weights, float darkness, const Vec4& color) {
    float a = 0.0f;
    for (int k = -3; k <= 3; ++k) {
        const float fk = static_cast<float>(k);
        a += weights[std::abs(k)] * source.Sample(u + fk * du, v + fk * dv, sampler).A;
    }
    return {color.R, color.G, color.B, a * darkness};
}

void LightScreenCoordinate(int x, int y, int width, int height, float* u, float* v) {
    // Clip coordinates of the pixel centre, y up.
    const float clipX = CentreU(x, width) * 2.0f - 1.0f;
    const float clipY = 1.0f - CentreU(y, height) * 2.0f;
    *u = clipX * 0.5f + 0.5f;
    *v = 1.0f - (clipY * 0.5f + 0.5f);
}

std::optional<Vec4> Light(const LightInputs& in) {
    const Vec4 lc = in.LightColor * in.VertexColor;
    if (lc.A == 0.0f) {
        return std::nullopt;
    }
    const Vec3 n = Normalize(Unpack(in.SceneNormal));
    const Vec3 l = Unpack(in.LightNormal);
    const Vec3 h = Normalize({l.X, l.Y, l.Z + 1.0f});
    const float diffuse = Dot(l, n);
    const float specular = std::pow(Saturate(Dot(n, h)), 100.0f) * in.SceneExtras.R;
    const float intensity = 4.0f * lc.A;
    const Vec4 lit{lc.R * intensity, lc.G * intensity, lc.B * intensity, 0.0f};
    const Vec4 out = lit * in.SceneColor * diffuse + lit * specular;
    return Vec4{out.R, out.G, out.B, 1.0f};
}

Vec4 BackgroundFirstPass(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time,
                         const Vec4& color) {
    const float wrapped = time / kPi + 0.5f;
    const float theta = 2.0f * kPi * (wrapped - std::floor(wrapped)) - kPi;
    const float a = std::pow(std::abs(u), 0.75f) / 2.0f;
    const float b = std::pow(std::abs(v), 0.75f) / 2.0f;
    const float su = a * std::cos(theta) - b * std::sin(theta) + time;
    const float sv = a * std::sin(theta) + b * std::cos(theta) + time;
    return picture.Sample(su, sv, sampler) * color;
}

Vec4 Background0(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time,
                 const Vec4& color) {
    const float px = 2.0f * u - 1.0f;
    const float py = (2.0f * v - 1.0f) * 0.5625f;
    const float phi = std::atan2(py, px);
    const float k = 2.0f / (std::sqrt(px * px + py * py) + 0.1f);
    return picture.Sample(std::cos(phi) * k + time, std::sin(phi) * k + time, sampler) * color;
}

Vec4 Background1(const Image& picture, const GfxSamplerState& sampler, float u, float v, float time,
                 const Vec4& color) {
    const float x = 2.0f * u - 1.0f;
    const float y = (2.0f * v - 1.0f) * 0.5625f;
    const float depth = 3.0f / y;
    const float across = depth * x;
    const float d = depth - Sign(depth) * std::abs(across);
    const float fade = std::pow(Saturate((std::abs(d) - 0.2f) * 0.0040032f), 0.4f);
    const Vec4 c = picture.Sample(across / 2.0f, (d + Sign(d) * time) / 2.0f, sampler) * color;
    return c * (1.0f - fade) + Vec4{0.0f, 0.0f, 0.0f, 1.0f} * fade;
}

}  // namespace ShaderReference
