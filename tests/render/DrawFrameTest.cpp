// The frame as a whole: pass order and states, the shadow blur at its real size, the
// composites and lights read back from the targets, and the blur resources' life.

#include <box2d/box2d.h>

#include <cmath>
#include <sstream>

#include "FrameTestFixture.h"
#include "ShaderReference.h"
#include "physics/B2DebugDrawer.h"
#include "render/ShadowBlur.h"

namespace {

namespace ref = ShaderReference;

const char* BlendName(GfxBlend blend) {
    switch (blend) {
        case GfxBlend::One: return "One";
        case GfxBlend::InvSrcAlpha: return "InvSrcAlpha";
        default: return "Other";
    }
}

const char* FilterName(GfxFilter filter) {
    switch (filter) {
        case GfxFilter::None: return "None";
        case GfxFilter::Point: return "Point";
        case GfxFilter::Linear: return "Linear";
        case GfxFilter::Anisotropic: return "Anisotropic";
    }
    return "?";
}

const char* AddressName(GfxAddress address) {
    switch (address) {
        case GfxAddress::Wrap: return "Wrap";
        case GfxAddress::Mirror: return "Mirror";
        case GfxAddress::Clamp: return "Clamp";
        case GfxAddress::Border: return "Border";
    }
    return "?";
}

std::array<int, 4> Opaque(int r, int g, int b) {
    return {r, g, b, 255};
}

// Smooth colours, fully opaque.
std::array<int, 4> Smooth(int x, int y) {
    return {60 + (x * 7) % 150, 90 + (y * 5) % 120, 140, 255};
}

// A disc of coverage fading to nothing at its rim; outside it fully transparent.
std::array<int, 4> Disc(int x, int y, int size) {
    const float c = (size - 1) / 2.0f;
    const float d = std::hypot(x - c, y - c) / (size / 2.0f);
    const int alpha = d >= 1.0f ? 0 : static_cast<int>(std::lround(255.0f * std::min(1.0f, 1.6f * (1.0f - d))));
    return {200 - x, 120 + y, 80 + (x + y) % 60, alpha};
}

std::array<int, 4> LeaningNormals(int x, int y) {
    const float nx = 0.5f * std::sin(0.2f * x);
    const float ny = 0.5f * std::cos(0.15f * y);
    const float nz = std::sqrt(1.0f - nx * nx - ny * ny);
    const auto pack = [](float v) { return static_cast<int>(std::lround((v * 0.5f + 0.5f) * 255.0f)); };
    return {pack(nx), pack(ny), pack(nz), (x * 4) % 256};
}

class DrawFrameTest : public FrameTestFixture {
protected:
    // Each layer pass of one frame as text: mask, shaders, targets, camera, viewport,
    // blending, fill and sampler 0.
    std::vector<std::string> RecordPasses() {
        std::vector<std::string> passes;
        mGraphics->LayerPassObserver = [&](DrawLayer mask) { passes.push_back(DescribePass(mask)); };
        mGraphics->DrawFrame();
        mGraphics->LayerPassObserver = nullptr;
        return passes;
    }

    std::string DescribePass(DrawLayer mask) {
        GfxDevice& device = Device();
        std::ostringstream out;
        out << DrawLayerToString(mask) << " " << device.VertexShader()->Name() << "/" << device.PixelShader()->Name()
            << " rt=" << TargetName(device.RenderTarget(0)) << "," << TargetName(device.RenderTarget(1)) << ","
            << TargetName(device.RenderTarget(2)) << " cam=" << CameraName(Impl().CurrentCamera)
            << " vp=" << device.Viewport().Width << "x" << device.Viewport().Height
            << " dest=" << BlendName(device.BlendState().Dest)
            << " fill=" << (device.FillMode() == GfxFillMode::Solid ? "Solid" : "Wireframe")
            << " s0=" << FilterName(device.SamplerState(0).MagFilter) << "/"
            << AddressName(device.SamplerState(0).AddressU);
        return out.str();
    }

    std::string TargetName(const std::shared_ptr<GfxTexture>& target) {
        GraphicsImpl& impl = Impl();
        const std::pair<const std::shared_ptr<GfxTexture>*, const char*> names[] = {
            {&Device().BackBuffer(), "Back"},    {&impl.SceneColorTarget, "Color"}, {&impl.SceneNormalTarget, "Normal"},
            {&impl.SceneExtrasTarget, "Extras"}, {&impl.FirstPassTarget, "First"},  {&impl.BlurTargetA, "BlurA"},
            {&impl.BlurTargetB, "BlurB"}};
        if (target == nullptr) {
            return "-";
        }
        for (const auto& [texture, name] : names) {
            if (*texture == target) {
                return name;
            }
        }
        return "?";
    }

    std::string CameraName(const Camera2d* camera) {
        if (camera == &mGraphics->WorldCamera)
            return "World";
        if (camera == &mGraphics->UiCamera)
            return "Ui";
        if (camera == &Impl().FullscreenCamera)
            return "Full";
        return "?";
    }
};

TEST_F(DrawFrameTest, PassesRunInOrderWithTheirShadersTargetsAndStates) {
    AddTexture("Picture", 8, 8, Smooth);
    mGraphics->Settings->BackgroundTexture = "Picture";
    // Something lit, or the shadow and composites have nothing to add.
    AddSprite(mRoot.get(), AddTexture("Lit", 4, 4, Smooth), DrawLayer::ForegroundLit, Vector2(), Vector2(2.0f, 2.0f));
    const std::vector<std::string> expected = {
        "Ui BackgroundVS/BackgroundFirstPassPS rt=First,-,- cam=Full vp=128x128 dest=InvSrcAlpha fill=Solid "
        "s0=Linear/Mirror",
        "Background BackgroundVS/BackgroundPS0 rt=Back,-,- cam=World vp=1280x720 dest=InvSrcAlpha fill=Solid "
        "s0=Linear/Mirror",
        "ForegroundLit SpriteVS/LitSpritePS rt=Color,Normal,Extras cam=World vp=1280x720 dest=InvSrcAlpha fill=Solid "
        "s0=Linear/Border",
        "Ui SpriteVS/BlurFirstPS rt=BlurA,-,- cam=Full vp=320x180 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "Ui SpriteVS/BlurSecondPS rt=BlurB,-,- cam=Full vp=320x180 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "Ui SpriteVS/SpritePS rt=Back,-,- cam=Full vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "Ui SpriteVS/ExtrasCompositePS rt=Back,-,- cam=Full vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "SpriteLights LightVS/LightPS rt=Back,-,- cam=World vp=1280x720 dest=One fill=Solid s0=Linear/Clamp",
        "ForegroundAdd SpriteVS/SpritePS rt=Back,-,- cam=World vp=1280x720 dest=One fill=Solid s0=Linear/Clamp",
        "Foreground SpriteVS/SpritePS rt=Back,-,- cam=World vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "Ui SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "UiText SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "EditorSelection SpriteVS/SpritePS rt=Back,-,- cam=World vp=1280x720 dest=InvSrcAlpha fill=Wireframe "
        "s0=Linear/Clamp",
        "Editor SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "EditorText SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Point/Clamp",
        "Editor2 SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Linear/Clamp",
        "EditorText2 SpriteVS/SpritePS rt=Back,-,- cam=Ui vp=1280x720 dest=InvSrcAlpha fill=Solid s0=Point/Clamp",
    };
    EXPECT_EQ(RecordPasses(), expected);
    // The second frame runs the same passes: nothing of the first leaks into its order.
    EXPECT_EQ(RecordPasses(), expected);
    // The lit pass's alpha blending stays on for the rest of the program.
    const GfxBlendState blend = Device().BlendState();
    EXPECT_TRUE(blend.SeparateAlpha);
    EXPECT_EQ(blend.AlphaOp, GfxBlendOp::Max);
}

TEST_F(DrawFrameTest, BackgroundModeChoosesTheSecondPassShader) {
    AddTexture("Picture", 8, 8, Smooth);
    mGraphics->Settings->BackgroundTexture = "Picture";
    const auto secondPass = [&]() {
        const std::vector<std::string> passes = RecordPasses();
        for (const std::string& pass : passes) {
            if (pass.rfind("Background ", 0) == 0) {
                return pass.substr(0, pass.find(" rt="));
            }
        }
        return std::string("none");
    };
    mGraphics->Settings->BackgroundMode = 1;
    const std::vector<std::string> modeOne = RecordPasses();
    ASSERT_GE(modeOne.size(), 2u);
    EXPECT_NE(modeOne[1].find("BackgroundVS/BackgroundPS1"), std::string::npos) << modeOne[1];
    EXPECT_NE(modeOne[1].find("s0=Anisotropic/Mirror"), std::string::npos) << modeOne[1];
    // Any other mode keeps the first pass's shader for the second pass.
    mGraphics->Settings->BackgroundMode = 2;
    EXPECT_EQ(secondPass(), "Background BackgroundVS/BackgroundFirstPassPS");
    mGraphics->Settings->BackgroundMode = -1;
    EXPECT_EQ(secondPass(), "Background BackgroundVS/BackgroundFirstPassPS");
    mGraphics->Settings->BackgroundMode = 0;
    EXPECT_EQ(secondPass(), "Background BackgroundVS/BackgroundPS0");
}

TEST_F(DrawFrameTest, BackgroundIsSkippedWithoutItsTexture) {
    for (const char* name : {"", "NoSuchTexture"}) {
        mGraphics->Settings->BackgroundTexture = name;
        const std::vector<std::string> passes = RecordPasses();
        ASSERT_FALSE(passes.empty());
        EXPECT_EQ(passes[0].rfind("ForegroundLit ", 0), 0u) << "'" << name << "' gives " << passes[0];
        // Nothing is lit either: no shadow blurs or composites.
        EXPECT_EQ(passes.size(), 11u);
    }
    // The cleared colour stays where the background would be.
    mGraphics->ClearColor = Color(10, 20, 30, 255);
    AddSprite(mGameplayRoot, AddTexture("Tile", 4, 4, Smooth), DrawLayer::Background, Vector2(), Vector2(8.0f, 8.0f));
    mGraphics->DrawFrame();
    const std::vector<uint8_t> back = Device().BackBuffer()->ReadPixels();
    const size_t centre = (static_cast<size_t>(kHeight / 2) * kWidth + kWidth / 2) * 4;
    EXPECT_EQ(back[centre], 10);
    EXPECT_EQ(back[centre + 1], 20);
    EXPECT_EQ(back[centre + 2], 30);
}

// The frame keeps its background lookup between frames, but never past a change of the
// banks: a texture that arrives is used, one that goes is no longer drawn.
TEST_F(DrawFrameTest, TheBackgroundFollowsItsTextureAsBanksChange) {
    const auto firstPass = [&]() {
        const std::vector<std::string> passes = RecordPasses();
        return passes.empty() ? std::string("none") : passes[0].substr(0, passes[0].find(" rt="));
    };
    mGraphics->Settings->BackgroundTexture = "Picture";
    EXPECT_EQ(firstPass(), "ForegroundLit SpriteVS/LitSpritePS");
    AddTexture("Picture", 8, 8, Smooth);
    EXPECT_EQ(firstPass(), "Ui BackgroundVS/BackgroundFirstPassPS");
    EXPECT_EQ(firstPass(), "Ui BackgroundVS/BackgroundFirstPassPS");
    mTextures->UnloadBank("Main");
    EXPECT_EQ(firstPass(), "ForegroundLit SpriteVS/LitSpritePS");
    mTextures->Banks["Main"] = std::make_unique<TextureBank>();
    AddTexture("Picture", 8, 8, Smooth);
    EXPECT_EQ(firstPass(), "Ui BackgroundVS/BackgroundFirstPassPS");
    mGraphics->Settings->BackgroundTexture = "Elsewhere";
    EXPECT_EQ(firstPass(), "ForegroundLit SpriteVS/LitSpritePS");
}

// The window shows, during a frame, what the previous frame drew.
TEST_F(DrawFrameTest, AFrameIsShownAtTheStartOfTheNextPass) {
    // What the window holds after the last present (Mesa keeps the window's back
    // buffer across the swap).
    const auto shownCentre = [&]() {
        int width = 0;
        int height = 0;
        const std::vector<uint8_t> window = Device().ReadWindowPixels(&width, &height);
        const size_t i = (static_cast<size_t>(height / 2) * width + width / 2) * 4;
        return std::array<int, 4>{window[i], window[i + 1], window[i + 2], 255};
    };
    mGraphics->ClearColor = Color(200, 0, 0, 255);
    mGraphics->DrawFrame();
    mGraphics->ClearColor = Color(0, 0, 200, 255);
    std::vector<std::array<int, 4>> seen;
    mGraphics->LayerPassObserver = [&](DrawLayer) {
        if (seen.empty()) {
            seen.push_back(shownCentre());
            seen.push_back(ref::ToBytes(ref::Image::Read(*Device().BackBuffer()).Texel(kWidth / 2, kHeight / 2)));
        }
    };
    mGraphics->DrawFrame();
    mGraphics->LayerPassObserver = nullptr;
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], Opaque(200, 0, 0)) << "the window shows the previous frame";
    EXPECT_EQ(seen[1], Opaque(0, 0, 200)) << "this frame is being drawn";
}

// One lit sprite with a normal map and a light over it: every target of the frame is
// compared with the references of its shaders, fed with what the device read back.
class LitFrameTest : public DrawFrameTest {
protected:
    void SetUp() override {
        DrawFrameTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        mGraphics->ClearColor = Color(60, 90, 120, 255);
        // 4 x 4 units at the centre: pixels [576, 704) x [296, 424), two per texel.
        Texture* lit = AddTexture(
            "Lit", 64, 64, [](int x, int y) { return Disc(x, y, 64); }, LeaningNormals);
        AddSprite(mRoot.get(), lit, DrawLayer::ForegroundLit, Vector2(0.0f, 0.0f), Vector2(4.0f, 4.0f));
        // 8 x 6 units around (0.5, 0): pixels [528, 784) x [264, 456), lit by texel (2, 1).
        Texture* light = AddTexture(
            "Light", 4, 4,
            [](int x, int y) {
                return (x == 2 && y == 1) ? std::array<int, 4>{90, 70, 50, 140} : Opaque(0, 0, 0);
            },
            [](int, int) {
                return std::array<int, 4>{166, 102, 237, 255};
            });
        GameObject* lamp =
            AddSprite(mRoot.get(), light, DrawLayer::SpriteLights, Vector2(0.5f, 0.0f), Vector2(8.0f, 6.0f));
        lamp->Sprite->UvRect = Rect(0.625f, 0.375f, 0.0f, 0.0f);
        mGraphics->DrawFrame();
        mSceneColor = std::make_unique<ref::Image>(ref::Image::Read(*Impl().SceneColorTarget));
        mSceneNormal = std::make_unique<ref::Image>(ref::Image::Read(*Impl().SceneNormalTarget));
        mSceneExtras = std::make_unique<ref::Image>(ref::Image::Read(*Impl().SceneExtrasTarget));
        mBlurA = std::make_unique<ref::Image>(ref::Image::Read(*Impl().BlurTargetA));
        mBlurB = std::make_unique<ref::Image>(ref::Image::Read(*Impl().BlurTargetB));
    }

    static bool InsideLitSprite(int x, int y) { return x >= 576 && x < 704 && y >= 296 && y < 424; }
    static bool InsideLight(int x, int y) { return x >= 528 && x < 784 && y >= 264 && y < 456; }

    std::unique_ptr<ref::Image> mSceneColor, mSceneNormal, mSceneExtras, mBlurA, mBlurB;
};

constexpr GfxSamplerState kLinearBorder{GfxAddress::Border, GfxAddress::Border, GfxFilter::Linear, GfxFilter::Linear,
                                        GfxFilter::Linear};
constexpr GfxSamplerState kLinearClamp{GfxAddress::Clamp, GfxAddress::Clamp, GfxFilter::Linear, GfxFilter::Linear,
                                       GfxFilter::Linear};

// Blended over transparent black with the lit pass's blending: colour weighted by its
// coverage, coverage kept as the largest.
ref::Vec4 OverTransparentBlack(const ref::Vec4& c) {
    return {c.R * c.A, c.G * c.A, c.B * c.A, c.A};
}

TEST_F(LitFrameTest, LitSpriteFillsTheColourNormalAndExtrasTargets) {
    const ref::Image& color = ColorImage("Lit");
    const ref::Image& normals = NormalImage("Lit");
    const ref::Image* targets[3] = {mSceneColor.get(), mSceneNormal.get(), mSceneExtras.get()};
    const ref::Vec4 ref::LitTargets::*outputs[3] = {&ref::LitTargets::Color, &ref::LitTargets::Normal,
                                                    &ref::LitTargets::Extras};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("target " + std::to_string(i));
        EXPECT_TRUE(ref::MatchesReference(
            targets[i]->Pixels(), kWidth, kHeight, [&](int x, int y, std::array<int, 4>* expected) {
                *expected = {0, 0, 0, 0};
                if (!InsideLitSprite(x, y)) {
                    return (x % 37 == 0 && y % 23 == 0);  // a sample of the untouched area
                }
                const float u = (x + 0.5f - 576.0f) / 128.0f;
                const float v = (y + 0.5f - 296.0f) / 128.0f;
                const auto lit = ref::LitSprite(color.Sample(u, v, kLinearBorder), normals.Sample(u, v, kLinearBorder),
                                                {1.0f, 1.0f, 1.0f, 1.0f}, 1.0f, 0.0f, true);
                if (lit) {
                    *expected = ref::ToBytes(OverTransparentBlack((*lit).*outputs[i]));
                }
                return true;
            }));
    }
}

TEST_F(LitFrameTest, ShadowBlursTheCoverageAtAQuarterOfTheScreen) {
    ASSERT_EQ(mBlurA->Width(), 320);
    ASSERT_EQ(mBlurA->Height(), 180);
    ASSERT_EQ(mBlurB->Width(), 320);
    const std::array<float, 4> weights{0.132981f, 0.125794f, 0.106483f, 0.080657f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(Impl().BlurWeights[i], weights[i], 1e-6f);
    }
    const ref::Vec4 black{0.0f, 0.0f, 0.0f, 1.0f};
    const float du = 1.0f / 320.0f;
    const float dv = 1.0f / 180.0f;
    int shaded = 0;
    EXPECT_TRUE(ref::MatchesReference(mBlurA->Pixels(), 320, 180, [&](int x, int y, std::array<int, 4>* expected) {
        const ref::Vec4 out = ref::Blur(*mSceneColor, kLinearClamp, ref::CentreU(x, 320), ref::CentreU(y, 180), du,
                                        0.0f, weights, 1.0f, black);
        *expected = ref::ToBytes(ref::Vec4{0.0f, 0.0f, 0.0f, out.A});
        shaded += out.A > 0.1f ? 1 : 0;
        return true;
    }));
    EXPECT_GT(shaded, 100);
    EXPECT_TRUE(ref::MatchesReference(mBlurB->Pixels(), 320, 180, [&](int x, int y, std::array<int, 4>* expected) {
        const ref::Vec4 out = ref::Blur(*mBlurA, kLinearClamp, ref::CentreU(x, 320), ref::CentreU(y, 180), 0.0f, dv,
                                        weights, 1.0f, black);
        *expected = ref::ToBytes(ref::Vec4{0.0f, 0.0f, 0.0f, out.A});
        return true;
    }));
}

// The back buffer: clear colour, darkened by the blurred shadow, darkened again by the
// lit sprites' coverage, then the light added where it lies.
TEST_F(LitFrameTest, BackBufferComposesShadowExtrasAndLight) {
    const std::array<int, 3> clear{60, 90, 120};
    const ref::Image& lightColor = ColorImage("Light");
    const ref::Image& lightNormal = NormalImage("Light");
    int lightened = 0;
    EXPECT_TRUE(ref::MatchesReference(
        Device().BackBuffer()->ReadPixels(), kWidth, kHeight, [&](int x, int y, std::array<int, 4>* expected) {
            const bool interesting = InsideLight(x, y) || (x % 7 == 0 && y % 5 == 0);
            if (!interesting) {
                return false;
            }
            const float shadow = mBlurB->Sample(ref::CentreU(x, kWidth), ref::CentreU(y, kHeight), kLinearClamp).A;
            const float coverage = mSceneExtras->Texel(x, y).A;
            std::array<float, 3> rgb{};
            for (int c = 0; c < 3; ++c) {
                const float shaded = ref::ToByte(clear[c] / 255.0f * (1.0f - shadow)) / 255.0f;
                rgb[c] = ref::ToByte(shaded * (1.0f - coverage)) / 255.0f;
            }
            if (InsideLight(x, y)) {
                ref::LightInputs in;
                in.LightColor = lightColor.Texel(2, 1);
                in.LightNormal = lightNormal.Texel(2, 1);
                in.SceneColor = mSceneColor->Texel(x, y);
                in.SceneNormal = mSceneNormal->Texel(x, y);
                in.SceneExtras = mSceneExtras->Texel(x, y);
                in.VertexColor = {1.0f, 1.0f, 1.0f, 1.0f};
                const ref::Vec4 light = *ref::Light(in);
                const float added[3] = {light.R, light.G, light.B};
                for (int c = 0; c < 3; ++c) {
                    rgb[c] += std::clamp(added[c], 0.0f, 1.0f);
                }
                lightened += (InsideLitSprite(x, y) && light.R > 0.05f) ? 1 : 0;
            }
            *expected = ref::ToBytes(ref::Vec4{rgb[0], rgb[1], rgb[2], 1.0f});
            return true;
        }));
    EXPECT_GT(lightened, 1000) << "the light should reach the lit sprite";
}

TEST_F(DrawFrameTest, LitSpritesWithoutANormalMapGetAFlatOne) {
    // The first batch leaves its leaning normal map on stage 1.
    Texture* withNormals = AddTexture("WithNormals", 8, 8, Smooth, LeaningNormals);
    Texture* plain = AddTexture("Plain", 8, 8, Smooth);
    AddSprite(mRoot.get(), withNormals, DrawLayer::ForegroundLit, Vector2(-5.0f, 0.0f), Vector2(2.0f, 2.0f));
    AddSprite(mRoot.get(), plain, DrawLayer::ForegroundLit, Vector2(5.0f, 0.0f), Vector2(2.0f, 2.0f));
    mGraphics->DrawFrame();
    const ref::Image normal = ref::Image::Read(*Impl().SceneNormalTarget);
    const ref::Image extras = ref::Image::Read(*Impl().SceneExtrasTarget);
    // The plain sprite: pixels [768, 832) x [328, 392); away from its edges.
    for (int y = 336; y < 384; y += 7) {
        for (int x = 776; x < 824; x += 7) {
            EXPECT_EQ(ref::ToBytes(normal.Texel(x, y)), (std::array<int, 4>{128, 128, 255, 255})) << x << ", " << y;
            EXPECT_EQ(ref::ToBytes(extras.Texel(x, y)), (std::array<int, 4>{0, 0, 0, 255})) << x << ", " << y;
        }
    }
}

// Batches draw by texture: here the later sprite (texture B) is drawn before the earlier
// one (texture A). Its transparent texels must not keep the earlier one out by depth.
TEST_F(DrawFrameTest, TransparentTexelsNeverHideSpritesOfAnotherBatch) {
    Texture* red = AddTexture("Red", 4, 4, [](int, int) { return Opaque(255, 0, 0); });
    Texture* dot = AddTexture("Dot", 8, 8, [](int x, int y) {
        const bool centre = x >= 3 && x <= 4 && y >= 3 && y <= 4;
        return centre ? Opaque(0, 255, 0) : std::array<int, 4>{0, 0, 0, 0};
    });
    mGraphics->ClearColor = Color(0, 0, 0, 255);
    AddSprite(mRoot.get(), dot, DrawLayer::Foreground, Vector2(-15.0f, 0.0f), Vector2(1.0f, 1.0f));
    AddSprite(mRoot.get(), red, DrawLayer::Foreground, Vector2(0.0f, 0.0f), Vector2(6.0f, 6.0f));
    AddSprite(mRoot.get(), dot, DrawLayer::Foreground, Vector2(0.0f, 0.0f), Vector2(4.0f, 4.0f));
    mGraphics->DrawFrame();
    const ref::Image back = ref::Image::Read(*Device().BackBuffer());
    // Inside the dot sprite's transparent corner, over the red square.
    EXPECT_EQ(ref::ToBytes(back.Texel(static_cast<int>(PixelX(-1.7f)), static_cast<int>(PixelY(1.7f)))),
              Opaque(255, 0, 0));
    // The dot itself is in front.
    EXPECT_EQ(ref::ToBytes(back.Texel(kWidth / 2, kHeight / 2)), Opaque(0, 255, 0));
}

TEST_F(DrawFrameTest, BlurResourcesFollowOnlyTheSettingThatChanged) {
    RenderSettings& settings = *mGraphics->Settings;
    mGraphics->UpdateBlurResources();
    const std::shared_ptr<GfxTexture> targetA = Impl().BlurTargetA;
    ASSERT_NE(targetA, nullptr);
    EXPECT_EQ(targetA->Width(), 320);
    EXPECT_EQ(targetA->Height(), 180);
    EXPECT_FLOAT_EQ(Impl().BlurTexelSize[0], 1.0f / 320.0f);
    EXPECT_FLOAT_EQ(Impl().BlurTexelSize[1], 1.0f / 180.0f);

    settings.ShadowRadius = 1.5f;
    mGraphics->UpdateBlurResources();
    EXPECT_EQ(Impl().BlurTargetA, targetA) << "a new radius keeps the targets";
    EXPECT_FLOAT_EQ(Impl().BlurWeights[1], ShadowBlur::Weights(1.5f)[1]);

    settings.ShadowReduction = 0.5f;
    mGraphics->UpdateBlurResources();
    EXPECT_NE(Impl().BlurTargetA, targetA);
    EXPECT_EQ(Impl().BlurTargetA->Width(), 640);
    EXPECT_EQ(Impl().BlurTargetB->Height(), 360);
    EXPECT_FLOAT_EQ(Impl().BlurWeights[1], ShadowBlur::Weights(1.5f)[1]) << "a new reduction keeps the weights";

    // Device objects made afresh: rebuilt at the next frame with unchanged settings.
    mGraphics->ReleaseDeviceObjects();
    mGraphics->CreateDeviceObjects();
    EXPECT_EQ(Impl().BlurTargetA, nullptr);
    mGraphics->DrawFrame();
    ASSERT_NE(Impl().BlurTargetA, nullptr);
    EXPECT_EQ(Impl().BlurTargetA->Width(), 640);
    EXPECT_FLOAT_EQ(Impl().BlurWeights[1], ShadowBlur::Weights(1.5f)[1]);
}

// A zero radius from the very first frame, and a zero reduction, still make a usable
// blur: the coverage unblurred, in 1 x 1 targets.
TEST_F(DrawFrameTest, DegenerateShadowSettingsStillDrawAFrame) {
    RenderSettings& settings = *mGraphics->Settings;
    settings.ShadowRadius = 0.0f;
    settings.ShadowReduction = 0.0f;
    Texture* lit = AddTexture("Lit", 4, 4, [](int, int) { return Opaque(255, 255, 255); });
    AddSprite(mRoot.get(), lit, DrawLayer::ForegroundLit, Vector2(), Vector2(40.0f, 22.5f));
    mGraphics->DrawFrame();
    EXPECT_EQ(Impl().BlurWeights[0], 1.0f);
    EXPECT_EQ(Impl().BlurWeights[3], 0.0f);
    ASSERT_NE(Impl().BlurTargetA, nullptr);
    EXPECT_EQ(Impl().BlurTargetA->Width(), 1);
    EXPECT_EQ(Impl().BlurTargetA->Height(), 1);
    // The screen-filling lit sprite's coverage passes through both passes whole.
    EXPECT_EQ(Impl().BlurTargetB->ReadPixels()[3], 255);
}

// The physics view outlines the world's shapes and the drawer's marked points over the
// frame, and only while ShowPhysics is set.
TEST_F(DrawFrameTest, PhysicsViewOutlinesShapesWhenShown) {
    AddTexture("Editor", 2, 2, [](int, int) { return Opaque(255, 255, 255); });
    b2World world(b2Vec2(0.0f, -10.0f));
    B2DebugDrawer drawer;
    world.SetDebugDraw(&drawer);
    b2BodyDef bodyDef;
    bodyDef.position.Set(0.3f, 0.2f);
    b2PolygonShape box;
    box.SetAsBox(1.0f, 1.0f);
    world.CreateBody(&bodyDef)->CreateFixture(&box, 0.0f);
    drawer.Points.push_back(Vector2(5.0f, 5.0f));
    b2World* savedWorld = gPhysicsWorld;
    B2DebugDrawer* savedDrawer = gB2DebugDrawer;
    gPhysicsWorld = &world;
    gB2DebugDrawer = &drawer;

    // Whether anything but the black clear colour lies within two pixels of (x, y).
    const auto drawnNear = [&](float x, float y) {
        const ref::Image back = ref::Image::Read(*Device().BackBuffer());
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const auto bytes = ref::ToBytes(back.Texel(static_cast<int>(x) + dx, static_cast<int>(y) + dy));
                if (bytes[0] + bytes[1] + bytes[2] > 60) {
                    return true;
                }
            }
        }
        return false;
    };
    mGraphics->ShowPhysics = 1;
    mGraphics->DrawFrame();
    EXPECT_TRUE(drawnNear(PixelX(-0.7f), PixelY(0.2f))) << "the box's left edge";
    EXPECT_TRUE(drawnNear(PixelX(0.3f), PixelY(1.2f))) << "the box's top edge";
    EXPECT_FALSE(drawnNear(PixelX(0.3f), PixelY(0.2f))) << "the box is outlined, not filled";
    EXPECT_TRUE(drawnNear(PixelX(5.0f), PixelY(5.0f))) << "the marked point";
    EXPECT_EQ(drawer.GetFlags(), b2Draw::e_shapeBit);

    mGraphics->ShowPhysics = 0;
    mGraphics->DrawFrame();
    EXPECT_FALSE(drawnNear(PixelX(-0.7f), PixelY(0.2f)));
    EXPECT_FALSE(drawnNear(PixelX(5.0f), PixelY(5.0f)));
    gPhysicsWorld = savedWorld;
    gB2DebugDrawer = savedDrawer;
}

}  // namespace
