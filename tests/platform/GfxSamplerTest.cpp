#include "GfxTestSupport.h"

namespace {

constexpr uint32_t kWhite = PackArgb(255, 255, 255, 255);

class GfxSamplerTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        mTextured = Shader(GfxShaderStage::Pixel, "TexturedPS", kTexturedPs);
        mDevice->SetPixelShader(mTextured.get());
        // Two texels: red on the left, blue on the right.
        const uint8_t redBlue[] = {255, 0, 0, 255, 0, 0, 255, 255};
        mDevice->SetTexture(0, mDevice->CreateTexture(2, 1, redBlue, GfxMips::One));
        mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 1.0f, 0.0f, 1.0f}, 1.0f);
    }

    // u runs from -1 to 2 across the 16 columns: columns 0-4 lie left of the image,
    // 11-15 right of it.
    void DrawWideU() { DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kWhite, -1.0f, 0.5f, 2.0f, 0.5f); }

    void UseAddressing(GfxAddress address) {
        GfxSamplerState state;
        state.AddressU = address;
        state.AddressV = address;
        mDevice->SetSamplerState(0, state);
    }

    std::unique_ptr<GfxShader> mTextured;
};

}  // namespace

TEST_F(GfxSamplerTest, BorderReadsTransparentBlackOutsideTheImage) {
    UseAddressing(GfxAddress::Border);
    DrawWideU();
    EXPECT_TRUE(Near(BackBufferPixel(1, 8), {0, 0, 0, 0}));
    EXPECT_TRUE(Near(BackBufferPixel(14, 8), {0, 0, 0, 0}));
    EXPECT_TRUE(Near(BackBufferPixel(6, 8), {255, 0, 0, 255}));
}

TEST_F(GfxSamplerTest, ClampRepeatsTheEdgeTexels) {
    UseAddressing(GfxAddress::Clamp);
    DrawWideU();
    EXPECT_TRUE(Near(BackBufferPixel(1, 8), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(14, 8), {0, 0, 255, 255}));
}

TEST_F(GfxSamplerTest, MirrorReflectsTheImageAtItsEdges) {
    UseAddressing(GfxAddress::Mirror);
    DrawWideU();
    // u in (-0.5, 0) mirrors to (0, 0.5): red; u in (1, 1.5) mirrors to (0.5, 1): blue.
    EXPECT_TRUE(Near(BackBufferPixel(4, 8), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(11, 8), {0, 0, 255, 255}));
    // u in (-1, -0.5) mirrors to (0.5, 1): blue.
    EXPECT_TRUE(Near(BackBufferPixel(1, 8), {0, 0, 255, 255}));
}

TEST_F(GfxSamplerTest, LinearFilteringMixesNeighboursWherePointPicksOne) {
    GfxSamplerState state;
    state.AddressU = GfxAddress::Clamp;
    state.MagFilter = GfxFilter::Linear;
    state.MinFilter = GfxFilter::Linear;
    mDevice->SetSamplerState(0, state);
    // Every pixel samples u = 0.5, the border between the two texels.
    DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kWhite, 0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(Near(BackBufferPixel(8, 8), {128, 0, 128, 255}));

    state.MagFilter = GfxFilter::Point;
    state.MinFilter = GfxFilter::Point;
    mDevice->SetSamplerState(0, state);
    mDevice->Clear(GfxClearDepth, {}, 1.0f);
    DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kWhite, 0.25f, 0.5f, 0.25f, 0.5f);
    EXPECT_TRUE(Near(BackBufferPixel(8, 8), {255, 0, 0, 255}));
}

TEST_F(GfxSamplerTest, AnisotropicFilteringDrawsLikeLinearWhenMagnifying) {
    GfxSamplerState state;
    state.AddressU = GfxAddress::Clamp;
    state.MagFilter = GfxFilter::Anisotropic;
    state.MinFilter = GfxFilter::Anisotropic;
    state.MipFilter = GfxFilter::Linear;
    mDevice->SetSamplerState(0, state);
    EXPECT_EQ(mDevice->SamplerState(0), state);
    DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kWhite, 0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(Near(BackBufferPixel(8, 8), {128, 0, 128, 255}));
}

TEST_F(GfxSamplerTest, FullMipChainsAverageDownToOneTexel) {
    // 4 x 2: left half white, right half black -> 2 x 1 -> 1 x 1 grey.
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t v = x < 2 ? 255 : 0;
            pixels.insert(pixels.end(), {v, v, v, 255});
        }
    }
    const auto texture = mDevice->CreateTexture(4, 2, pixels.data(), GfxMips::Full);
    EXPECT_EQ(texture->MipLevels(), 3);
    EXPECT_TRUE(Near(PixelAt(texture->ReadPixels(1), 2, 0, 0), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(PixelAt(texture->ReadPixels(2), 1, 0, 0), {128, 128, 128, 255}));
    EXPECT_THROW(texture->ReadPixels(3), std::out_of_range);
    EXPECT_EQ(GfxTexture::FullMipLevelCount(128, 128), 8);
    EXPECT_EQ(GfxTexture::FullMipLevelCount(1, 1), 1);
}

TEST_F(GfxSamplerTest, DrawnTargetsRebuildTheirMipsBeforeTheyAreSampled) {
    const auto target = mDevice->CreateRenderTarget(4, 4, GfxMips::Full);
    mDevice->SetRenderTarget(0, target);
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 1.0f, 1.0f}, 1.0f);
    mDevice->SetPixelShader(mVertexColor.get());
    DrawQuad(-1.0f, 1.0f, 0.0f, -1.0f, 0.5f, PackArgb(255, 0, 0, 255));  // left half red

    mDevice->SetRenderTarget(0, mDevice->BackBuffer());
    mDevice->SetTexture(0, target);
    mDevice->SetPixelShader(mTextured.get());
    DrawFullQuad(0.4f, kWhite);
    EXPECT_TRUE(Near(PixelAt(target->ReadPixels(2), 1, 0, 0), {128, 0, 128, 255}));
}
