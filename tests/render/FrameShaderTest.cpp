// Pixel tests of the frame's shaders: each draws with the program's embedded shader,
// reads the targets back and compares every pixel centre with the CPU reference.

#include <cmath>

#include "ShaderReference.h"
#include "ShaderTestFixture.h"
#include "render/Camera2d.h"
#include "render/CameraConstants.h"

namespace {

namespace ref = ShaderReference;

constexpr GfxColor kClear{0.2f, 0.4f, 0.6f, 0.8f};
const std::array<int, 4> kClearBytes{51, 102, 153, 204};

constexpr GfxSamplerState kLinearBorder{GfxAddress::Border, GfxAddress::Border, GfxFilter::Linear, GfxFilter::Linear,
                                        GfxFilter::None};
constexpr GfxSamplerState kLinearMirror{GfxAddress::Mirror, GfxAddress::Mirror, GfxFilter::Linear, GfxFilter::Linear,
                                        GfxFilter::None};
constexpr GfxSamplerState kPointClamp{GfxAddress::Clamp, GfxAddress::Clamp, GfxFilter::Point, GfxFilter::Point,
                                      GfxFilter::None};

// Packs a direction the way normal maps store it.
std::array<int, 4> PackNormal(float x, float y, float z, int alpha) {
    const auto pack = [](float v) { return static_cast<int>(std::lround((v * 0.5f + 0.5f) * 255.0f)); };
    return {pack(x), pack(y), pack(z), alpha};
}

// A smooth field of unit normals leaning at most 0.6 off straight up.
std::array<int, 4> NormalPattern(int x, int y, int alpha) {
    const float nx = 0.6f * std::sin(0.5f * x + 0.3f * y);
    const float ny = 0.6f * std::cos(0.4f * x - 0.2f * y);
    return PackNormal(nx, ny, std::sqrt(1.0f - nx * nx - ny * ny), alpha);
}

void UploadCamera(GfxDevice& device, const Camera2d& camera) {
    const CameraConstants constants = CameraConstants::From(camera);
    device.SetVertexConstants(0, constants.RotScale, 2);
    device.SetVertexConstants(2, constants.Position, 1);
}

class FrameShaderTest : public ShaderTestFixture {};

TEST_F(FrameShaderTest, SpriteTintsTheTexelAndDiscardsFullyTransparentOnes) {
    // Columns 0 and 1 of the texture are fully transparent.
    const TestTexture texture = MakeTexture(8, 8, [](int x, int y) {
        std::array<int, 4> texel = Pattern(x, y, 0.3f);
        texel[3] = x < 2 ? 0 : texel[3];
        return texel;
    });
    // World units are pixels here, y up from the target's bottom edge.
    Camera2d camera;
    camera.Position = Vector2(16.0f, 12.0f);
    camera.Scale = Vector2(32.0f, 24.0f);
    UploadCamera(*mDevice, camera);
    UseShaders("SpriteVS", "SpritePS");
    mDevice->SetTexture(0, texture.Device);
    mDevice->SetSamplerState(0, kLinearBorder);
    mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
    const uint32_t tint = PackArgb(200, 150, 100, 220);
    // Pixels [4, 20) x [4, 20): two pixels per texel.
    DrawQuad(
        {{4.0f, 20.0f, 0.0f, 0.0f}, {20.0f, 20.0f, 1.0f, 0.0f}, {4.0f, 4.0f, 0.0f, 1.0f}, {20.0f, 4.0f, 1.0f, 1.0f}},
        tint);

    int discarded = 0;
    EXPECT_TRUE(MatchesReference(
        mDevice->BackBuffer()->ReadPixels(), kWidth, kHeight, [&](int x, int y, std::array<int, 4>* expected) {
            *expected = kClearBytes;
            if (x < 4 || x >= 20 || y < 4 || y >= 20) {
                return true;
            }
            const float u = (x + 0.5f - 4.0f) / 16.0f;
            const float v = (y + 0.5f - 4.0f) / 16.0f;
            const auto out = ref::Sprite(texture.Cpu.Sample(u, v, kLinearBorder), ColorOf(tint));
            discarded += out ? 0 : 1;
            if (out) {
                *expected = ref::ToBytes(*out);
            }
            return true;
        }));
    EXPECT_GT(discarded, 0) << "the test should cover discarded fragments";
}

// SpriteVS, BackgroundVS and LightVS share the camera transform: a rectangle in camera
// space covers exactly the pixels whose centres Camera2d::ScreenToWorld puts inside it,
// with the texture coordinates interpolated across it.
TEST_F(FrameShaderTest, VertexShadersApplyTheCameraTransformThatScreenToWorldInverts) {
    Camera2d camera;
    camera.Position = Vector2(1.25f, -0.5f);
    camera.Scale = Vector2(10.0f, -7.5f);
    camera.Rotation = 0.3f;
    // Four colours, one per quarter of the rectangle.
    const TestTexture quarters = MakeTexture(2, 2, [](int x, int y) {
        return std::array<int, 4>{x == 0 ? 255 : 0, y == 0 ? 255 : 0, 128, 255};
    });
    const float left = -2.0f, right = 3.0f, bottom = -1.5f, top = 2.0f;
    const float margin = 0.03f;  // about a tenth of a pixel, in camera units

    for (const char* vertexShader : {"SpriteVS", "BackgroundVS", "LightVS"}) {
        SCOPED_TRACE(vertexShader);
        UploadCamera(*mDevice, camera);
        const float screen[4] = {kWidth, kHeight, 0.0f, 0.0f};
        mDevice->SetVertexConstants(3, screen, 1);
        UseShaders(vertexShader, "SpritePS");
        mDevice->SetTexture(0, quarters.Device);
        mDevice->SetSamplerState(0, kPointClamp);
        mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
        DrawQuad({{left, top, 0.0f, 0.0f},
                  {right, top, 1.0f, 0.0f},
                  {left, bottom, 0.0f, 1.0f},
                  {right, bottom, 1.0f, 1.0f}},
                 PackArgb(255, 255, 255, 255));

        int inside = 0;
        EXPECT_TRUE(MatchesReference(
            mDevice->BackBuffer()->ReadPixels(), kWidth, kHeight, [&](int x, int y, std::array<int, 4>* expected) {
                const Vector2 p = camera.ScreenToWorld(Vector2(x + 0.5f, y + 0.5f), Vector2(kWidth, kHeight));
                const float u = (p.X - left) / (right - left);
                const float v = (top - p.Y) / (top - bottom);
                const bool nearEdge = std::abs(p.X - left) < margin || std::abs(p.X - right) < margin ||
                                      std::abs(p.Y - top) < margin || std::abs(p.Y - bottom) < margin ||
                                      std::abs(u - 0.5f) < 0.01f || std::abs(v - 0.5f) < 0.01f;
                if (nearEdge) {
                    return false;
                }
                const bool in = p.X > left && p.X < right && p.Y > bottom && p.Y < top;
                inside += in ? 1 : 0;
                *expected = in ? ref::ToBytes(quarters.Cpu.Sample(u, v, kPointClamp)) : kClearBytes;
                return true;
            }));
        EXPECT_GT(inside, 40);
    }
}

TEST_F(FrameShaderTest, LitSpriteWritesColourNormalAndSpecularIntoThreeTargets) {
    const TestTexture color = MakeTexture(6, 8, [](int x, int y) {
        std::array<int, 4> texel = Pattern(x, y, 1.1f);
        texel[3] = x == 0 ? 0 : texel[3];
        return texel;
    });
    const TestTexture normals = MakeTexture(6, 8, [](int x, int y) { return NormalPattern(x, y, 40 * x + 20); });
    std::shared_ptr<GfxTexture> targets[3];
    for (int i = 0; i < 3; ++i) {
        targets[i] = mDevice->CreateRenderTarget(kWidth, kHeight, GfxMips::One);
        mDevice->SetRenderTarget(i, targets[i]);
    }
    UseShaders("SpriteVS", "LitSpritePS");
    mDevice->SetTexture(0, color.Device);
    mDevice->SetTexture(1, normals.Device);
    mDevice->SetSamplerState(0, kLinearBorder);
    mDevice->SetSamplerState(1, kLinearBorder);
    mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);

    const uint32_t tint = PackArgb(240, 210, 180, 230);
    const float turnA = 0.6f;
    const float turnB = -1.1f;
    // A: pixels [2, 14) x [4, 20), as laid out. B: pixels [18, 30) x [4, 20), mirrored:
    // its first corner, u = 0, lies on the right, so the quad winds the other way.
    DrawPixelRect(2.0f, 4.0f, 14.0f, 20.0f, tint, 0.0f, 0.0f, 1.0f, 1.0f, std::cos(turnA), std::sin(turnA));
    DrawPixelRect(30.0f, 4.0f, 18.0f, 20.0f, tint, 0.0f, 0.0f, 1.0f, 1.0f, std::cos(turnB), std::sin(turnB));

    // What the lit shader gives at a pixel, or nothing outside both quads.
    const auto litAt = [&](int x, int y, bool* discarded) -> std::optional<ref::LitTargets> {
        *discarded = false;
        if (y < 4 || y >= 20 || (x >= 14 && x < 18) || x < 2 || x >= 30) {
            return std::nullopt;
        }
        const bool mirrored = x >= 18;
        const float u = mirrored ? (30.0f - (x + 0.5f)) / 12.0f : (x + 0.5f - 2.0f) / 12.0f;
        const float v = (y + 0.5f - 4.0f) / 16.0f;
        const float turn = mirrored ? turnB : turnA;
        const auto out = ref::LitSprite(color.Cpu.Sample(u, v, kLinearBorder), normals.Cpu.Sample(u, v, kLinearBorder),
                                        ColorOf(tint), std::cos(turn), std::sin(turn), !mirrored);
        *discarded = !out.has_value();
        return out;
    };
    const ref::Vec4 ref::LitTargets::*outputs[3] = {&ref::LitTargets::Color, &ref::LitTargets::Normal,
                                                    &ref::LitTargets::Extras};
    int discarded = 0;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("target " + std::to_string(i));
        EXPECT_TRUE(MatchesReference(targets[i]->ReadPixels(), kWidth, kHeight,
                                     [&](int x, int y, std::array<int, 4>* expected) {
                                         bool wasDiscarded = false;
                                         const auto lit = litAt(x, y, &wasDiscarded);
                                         discarded += (i == 0 && wasDiscarded) ? 1 : 0;
                                         *expected = lit ? ref::ToBytes((*lit).*outputs[i]) : kClearBytes;
                                         return true;
                                     }));
    }
    EXPECT_GT(discarded, 0);

    // The mirrored sprite's normal x is the negation of the unmirrored one's before the
    // turn: with no turn, the two halves of one row mirror each other.
    mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
    DrawPixelRect(2.0f, 4.0f, 14.0f, 20.0f, tint);
    DrawPixelRect(30.0f, 4.0f, 18.0f, 20.0f, tint);
    const std::vector<uint8_t> normal = targets[1]->ReadPixels();
    const auto at = [&](int x, int y, int c) { return static_cast<int>(normal[(y * kWidth + x) * 4 + c]); };
    for (int x = 6; x < 14; ++x) {
        const int mirror = 30 - 1 - (x - 2);
        EXPECT_NEAR(at(x, 10, 0), 255 - at(mirror, 10, 0), 2) << "x " << x;
        EXPECT_NEAR(at(x, 10, 1), at(mirror, 10, 1), 1) << "x " << x;
    }
}

TEST_F(FrameShaderTest, ExtrasCompositeKeepsTheColourAndTakesTheTexturesCoverage) {
    const TestTexture extras = MakeTexture(kWidth, kHeight, [](int x, int y) { return Pattern(x, y, 2.0f, 0); });
    UseShaders("SpriteVS", "ExtrasCompositePS");
    mDevice->SetTexture(0, extras.Device);
    mDevice->SetSamplerState(0, kLinearBorder);
    for (uint32_t tint : {PackArgb(0, 0, 0, 255), PackArgb(40, 80, 120, 200)}) {
        mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
        DrawFullTarget(tint);
        EXPECT_TRUE(MatchesReference(mDevice->BackBuffer()->ReadPixels(), kWidth, kHeight,
                                     [&](int x, int y, std::array<int, 4>* expected) {
                                         const ref::Vec4 texel = extras.Cpu.Texel(x, y);
                                         *expected = ref::ToBytes(ref::ExtrasComposite(texel, ColorOf(tint)));
                                         return true;
                                     }));
    }
}

TEST_F(FrameShaderTest, LightLightsTheSceneTargetsWithItsColourAndDirection) {
    // The scene: colour, normals (a block facing straight up at x 20..23 catches the
    // specular highlight) and specular mask.
    const TestTexture sceneColor = MakeTexture(kWidth, kHeight, [](int x, int y) { return Pattern(x, y, 0.7f); });
    const TestTexture sceneNormal = MakeTexture(kWidth, kHeight, [](int x, int y) {
        return (x >= 20 && x < 24) ? std::array<int, 4>{128, 128, 255, 255} : NormalPattern(x, y, 255);
    });
    const TestTexture sceneExtras = MakeTexture(kWidth, kHeight, [](int x, int y) { return Pattern(x, y, 1.9f); });
    // Light frames: A at texel (2, 1), B at (1, 3), C at (3, 3) with no coverage.
    const TestTexture lightColor = MakeTexture(4, 4, [](int x, int y) {
        if (x == 2 && y == 1)
            return std::array<int, 4>{70, 50, 40, 130};
        if (x == 1 && y == 3)
            return std::array<int, 4>{40, 60, 80, 100};
        if (x == 3 && y == 3)
            return std::array<int, 4>{200, 200, 200, 0};
        return Pattern(x, y, 0.1f);
    });
    const TestTexture lightNormal = MakeTexture(4, 4, [](int x, int y) {
        if (x == 2 && y == 1)
            return PackNormal(0.3f, -0.2f, 0.93f, 255);
        if (x == 1 && y == 3)
            return std::array<int, 4>{128, 128, 255, 255};
        return NormalPattern(x, y, 255);
    });
    UseShaders("LightVS", "LightPS");
    const float screen[4] = {kWidth, kHeight, 0.0f, 0.0f};
    mDevice->SetVertexConstants(3, screen, 1);
    mDevice->SetTexture(0, lightColor.Device);
    mDevice->SetTexture(1, lightNormal.Device);
    mDevice->SetTexture(2, sceneColor.Device);
    mDevice->SetTexture(3, sceneNormal.Device);
    mDevice->SetTexture(4, sceneExtras.Device);
    mDevice->SetSamplerState(0, kLinearBorder);
    mDevice->SetSamplerState(1, kLinearBorder);
    for (int unit = 2; unit <= 4; ++unit) {
        mDevice->SetSamplerState(unit, kPointClamp);
    }
    mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
    const uint32_t tintA = PackArgb(255, 200, 150, 230);
    const uint32_t tintB = PackArgb(180, 255, 255, 255);
    // Zero-size frames: every fragment samples the one texel of the light's frame.
    DrawPixelRect(0.0f, 0.0f, 16.0f, 24.0f, tintA, 0.625f, 0.375f, 0.625f, 0.375f);
    DrawPixelRect(16.0f, 0.0f, 32.0f, 24.0f, tintB, 0.375f, 0.875f, 0.375f, 0.875f);
    // C adds nothing and is discarded, so A and B show through.
    DrawPixelRect(12.0f, 20.0f, 20.0f, 24.0f, PackArgb(255, 255, 255, 255), 0.875f, 0.875f, 0.875f, 0.875f);

    float brightestSpecular = 0.0f;
    EXPECT_TRUE(MatchesReference(mDevice->BackBuffer()->ReadPixels(), kWidth, kHeight,
                                 [&](int x, int y, std::array<int, 4>* expected) {
                                     float u = 0.0f;
                                     float v = 0.0f;
                                     ref::LightScreenCoordinate(x, y, kWidth, kHeight, &u, &v);
                                     const bool isA = x < 16;
                                     ref::LightInputs in;
                                     in.LightColor = lightColor.Cpu.Texel(isA ? 2 : 1, isA ? 1 : 3);
                                     in.LightNormal = lightNormal.Cpu.Texel(isA ? 2 : 1, isA ? 1 : 3);
                                     in.SceneColor = sceneColor.Cpu.Sample(u, v, kPointClamp);
                                     in.SceneNormal = sceneNormal.Cpu.Sample(u, v, kPointClamp);
                                     in.SceneExtras = sceneExtras.Cpu.Sample(u, v, kPointClamp);
                                     in.VertexColor = ColorOf(isA ? tintA : tintB);
                                     const auto out = ref::Light(in);
                                     if (!isA && x >= 20 && x < 24) {
                                         brightestSpecular = std::max(brightestSpecular, in.SceneExtras.R);
                                     }
                                     *expected = ref::ToBytes(*out);
                                     return true;
                                 }));
    EXPECT_GT(brightestSpecular, 0.5f) << "the flat block should be under a specular highlight";
}

class BackgroundShaderTest : public FrameShaderTest {
protected:
    void SetUp() override {
        FrameShaderTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        mPicture = std::make_unique<TestTexture>(MakeTexture(16, 16, [](int x, int y) { return Pattern(x, y, 0.9f); }));
    }

    // Draws the background shader over the whole target with the time in c0.x and
    // compares it with the reference.
    template <class Reference>
    void ExpectMatches(const char* pixelShader, float time, Reference reference) {
        UseShaders("BackgroundVS", pixelShader);
        const float c0[4] = {time, 0.0f, 0.0f, 0.0f};
        mDevice->SetPixelConstants(0, c0, 1);
        mDevice->SetTexture(0, mPicture->Device);
        mDevice->SetSamplerState(0, kLinearMirror);
        mDevice->Clear(GfxClearColor | GfxClearDepth, kClear, 1.0f);
        const uint32_t tint = PackArgb(230, 200, 255, 240);
        DrawFullTarget(tint);
        EXPECT_TRUE(MatchesReference(
            mDevice->BackBuffer()->ReadPixels(), kWidth, kHeight, [&](int x, int y, std::array<int, 4>* expected) {
                const float u = ref::CentreU(x, kWidth);
                const float v = ref::CentreU(y, kHeight);
                *expected = ref::ToBytes(reference(mPicture->Cpu, kLinearMirror, u, v, time, ColorOf(tint)));
                return true;
            }));
    }

    std::unique_ptr<TestTexture> mPicture;
};

TEST_F(BackgroundShaderTest, FirstPassSwirlsThePictureWithTime) {
    ExpectMatches("BackgroundFirstPassPS", 0.4f, ref::BackgroundFirstPass);
    // 2t wraps: past pi the swirl angle starts again from -pi.
    ExpectMatches("BackgroundFirstPassPS", 7.3f, ref::BackgroundFirstPass);
}

TEST_F(BackgroundShaderTest, ModeZeroStreamsThePictureOutOfTheCentre) {
    ExpectMatches("BackgroundPS0", 0.7f, ref::Background0);
}

TEST_F(BackgroundShaderTest, ModeOneRecedesToBlackTowardsTheHorizon) {
    ExpectMatches("BackgroundPS1", 1.9f, ref::Background1);
    // Rows next to the horizon are almost wholly faded.
    const std::vector<uint8_t> pixels = mDevice->BackBuffer()->ReadPixels();
    const int horizonRow = kHeight / 2;
    EXPECT_LT(pixels[(horizonRow * kWidth + 3) * 4], 60);
}

}  // namespace
