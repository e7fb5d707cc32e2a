#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxShader.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/gfx/GfxVertex.h"
#include "platform/window/SdlVideo.h"
#include "platform/window/Window.h"

struct Rgba {
    int R, G, B, A;
};

inline Rgba PixelAt(const std::vector<uint8_t>& pixels, int width, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
}

inline ::testing::AssertionResult Near(const Rgba& actual, const Rgba& expected, int tolerance = 2) {
    const bool ok = std::abs(actual.R - expected.R) <= tolerance && std::abs(actual.G - expected.G) <= tolerance &&
                    std::abs(actual.B - expected.B) <= tolerance && std::abs(actual.A - expected.A) <= tolerance;
    if (ok) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << actual.R << ", " << actual.G << ", " << actual.B << ", "
                                         << actual.A << ") expected (" << expected.R << ", " << expected.G << ", "
                                         << expected.B << ", " << expected.A << ")";
}

// Passes clip positions through; hands colour and texture coordinate to the pixel shader.
inline const char* kPassThroughVs = R"(
out vec4 vColor;
out vec2 vUv;
void main() {
    SetClipPosition(InPosition);
    vColor = InColor;
    vUv = InTexCoord0;
}
)";

inline const char* kVertexColorPs = R"(
in vec4 vColor;
in vec2 vUv;
void main() { Target0 = vColor; }
)";

inline const char* kTexturedPs = R"(
in vec4 vColor;
in vec2 vUv;
void main() { Target0 = texture(Sampler0, vUv) * vColor; }
)";

// A window and a device for GL tests; skipped where no X display exists.
class GfxTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 16;

    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no DISPLAY: GL tests run under xvfb-run -a";
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        mVideo = std::make_unique<SdlVideo>();
        mWindow = std::make_unique<Window>(WindowDesc{"GfxTest", kWidth, kHeight, false, 60});
        mDevice = std::make_unique<GfxDevice>(*mWindow, kWidth, kHeight);
        mQuadVertices = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, 4 * sizeof(GfxVertex));
        mQuadIndices = std::make_unique<GfxBuffer>(GfxBufferKind::Index16, 6 * sizeof(uint16_t));
        const uint16_t indices[6] = {0, 1, 2, 1, 3, 2};
        mQuadIndices->Write(0, indices, sizeof(indices));
        mDevice->SetVertexBuffer(mQuadVertices.get());
        mDevice->SetIndexBuffer(mQuadIndices.get());
        mPassThrough = Shader(GfxShaderStage::Vertex, "PassThroughVS", kPassThroughVs);
        mVertexColor = Shader(GfxShaderStage::Pixel, "VertexColorPS", kVertexColorPs);
        mDevice->SetVertexShader(mPassThrough.get());
        mDevice->SetPixelShader(mVertexColor.get());
    }

    void TearDown() override {
        if (mDevice != nullptr) {
            EXPECT_EQ(mDevice->TakeError(), 0u) << "an OpenGL call failed";
        }
        mQuadVertices.reset();
        mQuadIndices.reset();
        mPassThrough.reset();
        mVertexColor.reset();
        mDevice.reset();
        mWindow.reset();
        mVideo.reset();
    }

    static std::unique_ptr<GfxShader> Shader(GfxShaderStage stage, const char* name, const char* source) {
        return std::make_unique<GfxShader>(stage, name, source);
    }

    // A rectangle in clip space (y up: top = 1), uv from (u0, v0) at the top left to
    // (u1, v1) at the bottom right, in the quad corner order top-left, top-right,
    // bottom-left, bottom-right.
    void DrawQuad(float left, float top, float right, float bottom, float z, uint32_t argb, float u0 = 0.0f,
                  float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f) {
        const GfxVertex vertices[4] = {
            {left, top, z, 1.0f, argb, u0, v0, 1.0f, 0.0f},
            {right, top, z, 1.0f, argb, u1, v0, 1.0f, 0.0f},
            {left, bottom, z, 1.0f, argb, u0, v1, 1.0f, 0.0f},
            {right, bottom, z, 1.0f, argb, u1, v1, 1.0f, 0.0f},
        };
        mQuadVertices->Write(0, vertices, sizeof(vertices));
        mDevice->DrawIndexedTriangles(4, 2);
    }

    void DrawFullQuad(float z, uint32_t argb) { DrawQuad(-1.0f, 1.0f, 1.0f, -1.0f, z, argb); }

    Rgba BackBufferPixel(int x, int y) const { return PixelAt(mDevice->BackBuffer()->ReadPixels(), kWidth, x, y); }

    std::unique_ptr<SdlVideo> mVideo;
    std::unique_ptr<Window> mWindow;
    std::unique_ptr<GfxDevice> mDevice;
    std::unique_ptr<GfxBuffer> mQuadVertices;
    std::unique_ptr<GfxBuffer> mQuadIndices;
    std::unique_ptr<GfxShader> mPassThrough;
    std::unique_ptr<GfxShader> mVertexColor;
};
