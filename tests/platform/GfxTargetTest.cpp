#include "GfxTestSupport.h"

namespace {

constexpr uint32_t kRed = PackArgb(255, 0, 0, 255);
constexpr uint32_t kGreen = PackArgb(0, 255, 0, 255);
constexpr uint32_t kBlue = PackArgb(0, 0, 255, 255);

const char* kThreeTargetsPs = R"(
in vec4 vColor;
in vec2 vUv;
void main() {
    Target0 = vec4(1.0, 0.0, 0.0, 0.5);
    Target1 = vec4(0.0, 1.0, 0.0, 0.5);
    Target2 = vec4(0.0, 0.0, 1.0, 0.25);
}
)";

}  // namespace

TEST_F(GfxTest, ThreeTargetsTakeTheirOwnOutputsBlendedWithSeparateAlphaMax) {
    auto targets = std::vector<std::shared_ptr<GfxTexture>>{};
    for (int i = 0; i < 3; ++i) {
        targets.push_back(mDevice->CreateRenderTarget(8, 8, GfxMips::One));
        mDevice->SetRenderTarget(i, targets.back());
    }
    // Colour 0.2, alpha 0.3 everywhere: alpha MAX keeps 0.5 on target 0 and 1 but 0.3 on target 2.
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.2f, 0.2f, 0.2f, 0.3f}, 1.0f);
    GfxBlendState blend;
    blend.Enabled = true;
    blend.Src = GfxBlend::SrcAlpha;
    blend.Dest = GfxBlend::InvSrcAlpha;
    blend.SeparateAlpha = true;
    blend.SrcAlpha = GfxBlend::SrcAlpha;
    blend.DestAlpha = GfxBlend::DestAlpha;
    blend.AlphaOp = GfxBlendOp::Max;
    mDevice->SetBlendState(blend);
    const auto shader = Shader(GfxShaderStage::Pixel, "ThreeTargetsPS", kThreeTargetsPs);
    mDevice->SetPixelShader(shader.get());

    DrawFullQuad(0.5f, kRed);

    // colour = src * a + dst * (1 - a); alpha = max(src, dst).
    EXPECT_TRUE(Near(PixelAt(targets[0]->ReadPixels(), 8, 3, 3), {153, 26, 26, 128}));
    EXPECT_TRUE(Near(PixelAt(targets[1]->ReadPixels(), 8, 3, 3), {26, 153, 26, 128}));
    EXPECT_TRUE(Near(PixelAt(targets[2]->ReadPixels(), 8, 3, 3), {38, 38, 102, 77}));
}

TEST_F(GfxTest, WithoutSeparateAlphaTheAlphaUsesTheColourBlend) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    GfxBlendState blend;
    blend.Enabled = true;
    blend.Src = GfxBlend::SrcAlpha;
    blend.Dest = GfxBlend::One;
    blend.SrcAlpha = GfxBlend::Zero;  // ignored while SeparateAlpha is off
    mDevice->SetBlendState(blend);
    DrawFullQuad(0.5f, PackArgb(255, 0, 0, 128));
    // alpha: 0.5 * 0.5 + 1 * 1 saturates at 1; colour: 1 * 0.5 + 0.
    EXPECT_TRUE(Near(BackBufferPixel(5, 5), {128, 0, 0, 255}));
}

TEST_F(GfxTest, TargetsStoreTheTopRowFirstAndThePresentKeepsItOnTop) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 1.0f, 1.0f}, 1.0f);
    DrawQuad(-1.0f, 1.0f, 1.0f, 0.0f, 0.5f, kRed);  // the upper half of the screen

    EXPECT_TRUE(Near(BackBufferPixel(3, 0), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(3, kHeight - 1), {0, 0, 255, 255}));

    mDevice->CopyBackBufferToWindow();
    int width = 0;
    int height = 0;
    const std::vector<uint8_t> window = mDevice->ReadWindowPixels(&width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    EXPECT_TRUE(Near(PixelAt(window, width, 3, 0), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(PixelAt(window, width, 3, height - 1), {0, 0, 255, 255}));
    mDevice->Present();
}

TEST_F(GfxTest, TextureCoordinateVZeroIsTheImagesTopRowAlsoForDrawnTargets) {
    const uint8_t topRedBottomGreen[] = {255, 0, 0, 255, 0, 255, 0, 255};
    const auto image = mDevice->CreateTexture(1, 2, topRedBottomGreen, GfxMips::One);
    const auto textured = Shader(GfxShaderStage::Pixel, "TexturedPS", kTexturedPs);
    mDevice->SetPixelShader(textured.get());
    mDevice->SetTexture(0, image);
    mDevice->Clear(GfxClearDepth, {}, 1.0f);
    DrawFullQuad(0.5f, PackArgb(255, 255, 255, 255));
    EXPECT_TRUE(Near(BackBufferPixel(8, 1), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(8, 14), {0, 255, 0, 255}));

    // Draw the back buffer's picture into a second target through the same path.
    const auto copy = mDevice->CreateRenderTarget(kWidth, kHeight, GfxMips::One);
    mDevice->SetRenderTarget(0, copy);
    mDevice->SetTexture(0, mDevice->BackBuffer());
    mDevice->Clear(GfxClearDepth, {}, 1.0f);
    DrawFullQuad(0.5f, PackArgb(255, 255, 255, 255));
    EXPECT_TRUE(Near(PixelAt(copy->ReadPixels(), kWidth, 8, 1), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(PixelAt(copy->ReadPixels(), kWidth, 8, 14), {0, 255, 0, 255}));
}

TEST_F(GfxTest, SettingTargetZeroResetsTheViewportAndClearsStayInsideIt) {
    mDevice->SetViewport({2, 3, 4, 5, 0.0f, 1.0f});
    const auto small = mDevice->CreateRenderTarget(8, 4, GfxMips::One);
    mDevice->SetRenderTarget(0, small);
    EXPECT_EQ(mDevice->Viewport(), (GfxViewport{0, 0, 8, 4, 0.0f, 1.0f}));

    mDevice->SetRenderTarget(0, mDevice->BackBuffer());
    mDevice->Clear(GfxClearColor, {0.0f, 0.0f, 0.0f, 0.0f}, 1.0f);
    mDevice->SetViewport({0, 0, kWidth / 2, kHeight, 0.0f, 1.0f});
    mDevice->Clear(GfxClearColor, {1.0f, 1.0f, 1.0f, 1.0f}, 1.0f);
    EXPECT_TRUE(Near(BackBufferPixel(2, 8), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(12, 8), {0, 0, 0, 0}));
}

TEST_F(GfxTest, ViewportRowsCountFromTheTop) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    mDevice->SetViewport({0, 0, kWidth, 4, 0.0f, 1.0f});
    DrawFullQuad(0.5f, kGreen);
    EXPECT_TRUE(Near(BackBufferPixel(5, 0), {0, 255, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(5, 3), {0, 255, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(5, 4), {0, 0, 0, 255}));
}

TEST_F(GfxTest, DepthTestPassesLessOrEqualWithOneBufferSharedByAllTargets) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    DrawFullQuad(0.5f, kRed);
    DrawFullQuad(0.7f, kGreen);  // behind: rejected
    EXPECT_TRUE(Near(BackBufferPixel(4, 4), {255, 0, 0, 255}));
    DrawFullQuad(0.5f, kBlue);  // equal: passes
    EXPECT_TRUE(Near(BackBufferPixel(4, 4), {0, 0, 255, 255}));

    // Another target sees the depth the back buffer left.
    const auto other = mDevice->CreateRenderTarget(kWidth, kHeight, GfxMips::One);
    mDevice->SetRenderTarget(0, other);
    mDevice->Clear(GfxClearColor, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    DrawFullQuad(0.6f, kGreen);
    EXPECT_TRUE(Near(PixelAt(other->ReadPixels(), kWidth, 4, 4), {0, 0, 0, 255}));
    DrawFullQuad(0.4f, kGreen);
    EXPECT_TRUE(Near(PixelAt(other->ReadPixels(), kWidth, 4, 4), {0, 255, 0, 255}));
}

TEST_F(GfxTest, WireframeDrawsEdgesOnlyAndLineStripsDrawAtOnce) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    mDevice->SetFillMode(GfxFillMode::Wireframe);
    DrawQuad(-0.9f, 0.9f, 0.9f, -0.9f, 0.5f, kRed);
    // (4, 4) lies inside the quad, away from its edges and its diagonal.
    EXPECT_TRUE(Near(BackBufferPixel(4, 4), {0, 0, 0, 255}));
    mDevice->SetFillMode(GfxFillMode::Solid);
    DrawQuad(-0.9f, 0.9f, 0.9f, -0.9f, 0.5f, kRed);
    EXPECT_TRUE(Near(BackBufferPixel(4, 4), {255, 0, 0, 255}));

    // A strip along the centre of row 12 (clip y = 1 - 12.5 / 8).
    const float y = 1.0f - 12.5f / 8.0f;
    const GfxVertex strip[3] = {
        {-1.0f, y, 0.1f, 1.0f, kGreen, 0, 0, 0, 0},
        {0.0f, y, 0.1f, 1.0f, kGreen, 0, 0, 0, 0},
        {1.0f, y, 0.1f, 1.0f, kGreen, 0, 0, 0, 0},
    };
    mDevice->DrawLineStrip(strip, 3);
    EXPECT_TRUE(Near(BackBufferPixel(3, 12), {0, 255, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(11, 12), {0, 255, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(3, 10), {255, 0, 0, 255}));
    // The quad's vertex buffer is still the one set.
    DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, 0.0f, kBlue);
    EXPECT_TRUE(Near(BackBufferPixel(3, 12), {0, 0, 255, 255}));
}

TEST_F(GfxTest, ResizedBackBufferStaysTargetZero) {
    mDevice->ResizeBackBuffer(32, 8);
    EXPECT_EQ(mDevice->RenderTarget(0), mDevice->BackBuffer());
    EXPECT_EQ(mDevice->BackBuffer()->Width(), 32);
    EXPECT_EQ(mDevice->Viewport(), (GfxViewport{0, 0, 32, 8, 0.0f, 1.0f}));
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 1.0f, 0.0f, 1.0f}, 1.0f);
    EXPECT_TRUE(Near(PixelAt(mDevice->BackBuffer()->ReadPixels(), 32, 31, 7), {0, 255, 0, 255}));
}

TEST_F(GfxTest, MisusedTargetsAreRefused) {
    const uint8_t pixel[4] = {0, 0, 0, 0};
    const auto plain = mDevice->CreateTexture(1, 1, pixel, GfxMips::One);
    EXPECT_THROW(mDevice->SetRenderTarget(0, nullptr), std::invalid_argument);
    EXPECT_THROW(mDevice->SetRenderTarget(1, plain), std::invalid_argument);
    EXPECT_THROW(mDevice->SetRenderTarget(3, nullptr), std::out_of_range);
    EXPECT_THROW(mDevice->CreateRenderTarget(0, 4, GfxMips::One), std::invalid_argument);
}
