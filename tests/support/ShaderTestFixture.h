#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ShaderReference.h"
#include "platform/EmbeddedShaders.h"
#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxShader.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/gfx/GfxVertex.h"
#include "platform/window/SdlVideo.h"
#include "platform/window/Window.h"

// A small device drawing with the program's embedded shaders, for pixel tests against
// the CPU references. Skipped where no X display exists (run under xvfb-run -a).
class ShaderTestFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 32;
    static constexpr int kHeight = 24;

    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no DISPLAY: GL tests run under xvfb-run -a";
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        mVideo = std::make_unique<SdlVideo>();
        mWindow = std::make_unique<Window>(WindowDesc{"ShaderTest", kWidth, kHeight, false, 60});
        mDevice = std::make_unique<GfxDevice>(*mWindow, kWidth, kHeight);
        mVertices = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, 4 * sizeof(GfxVertex));
        mIndices = std::make_unique<GfxBuffer>(GfxBufferKind::Index16, 6 * sizeof(uint16_t));
        const uint16_t indices[6] = {0, 1, 2, 1, 3, 2};
        mIndices->Write(0, indices, sizeof(indices));
        mDevice->SetVertexBuffer(mVertices.get());
        mDevice->SetIndexBuffer(mIndices.get());
        // Camera space is clip space unless a test sets a camera.
        const float identity[12] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        mDevice->SetVertexConstants(0, identity, 3);
    }

    void TearDown() override {
        if (mDevice != nullptr) {
            EXPECT_EQ(mDevice->TakeError(), 0u) << "an OpenGL call failed";
        }
        mShaders.clear();
        mVertices.reset();
        mIndices.reset();
        mDevice.reset();
        mWindow.reset();
        mVideo.reset();
    }

    // The program's own shader of that name.
    const GfxShader* Embedded(const std::string& name) {
        auto found = mShaders.find(name);
        if (found != mShaders.end()) {
            return found->second.get();
        }
        for (const EmbeddedShader* shader = gEmbeddedShaders; shader->Name != nullptr; ++shader) {
            if (name == shader->Name) {
                const GfxShaderStage stage =
                    name.substr(name.size() - 2) == "VS" ? GfxShaderStage::Vertex : GfxShaderStage::Pixel;
                auto compiled = std::make_unique<GfxShader>(stage, name, shader->Source);
                return mShaders.emplace(name, std::move(compiled)).first->second.get();
            }
        }
        ADD_FAILURE() << "no embedded shader named " << name;
        return nullptr;
    }

    void UseShaders(const std::string& vertexShader, const std::string& pixelShader) {
        mDevice->SetVertexShader(Embedded(vertexShader));
        mDevice->SetPixelShader(Embedded(pixelShader));
    }

    // A quad from its corners in the batcher's order: top-left, top-right, bottom-left,
    // bottom-right (of an unmirrored quad), with the same colour and second coordinate.
    struct Corner {
        float X, Y, U, V;
    };
    void DrawQuad(const Corner (&corners)[4], uint32_t argb, float cosR = 1.0f, float sinR = 0.0f, float z = 0.5f) {
        GfxVertex vertices[4];
        for (int i = 0; i < 4; ++i) {
            vertices[i] = {corners[i].X, corners[i].Y, z, 1.0f, argb, corners[i].U, corners[i].V, cosR, sinR};
        }
        mVertices->Write(0, vertices, sizeof(vertices));
        mDevice->DrawIndexedTriangles(4, 2);
    }

    // Clip x of a pixel column edge and clip y of a pixel row edge (rows from the top).
    static float ClipX(float pixelX) { return pixelX / kWidth * 2.0f - 1.0f; }
    static float ClipY(float pixelY) { return 1.0f - pixelY / kHeight * 2.0f; }

    // A quad over the pixel rectangle [left, right) x [top, bottom), uv (u0, v0) at its
    // top left to (u1, v1) at its bottom right.
    void DrawPixelRect(float left, float top, float right, float bottom, uint32_t argb, float u0 = 0.0f,
                       float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f, float cosR = 1.0f, float sinR = 0.0f) {
        const Corner corners[4] = {{ClipX(left), ClipY(top), u0, v0},
                                   {ClipX(right), ClipY(top), u1, v0},
                                   {ClipX(left), ClipY(bottom), u0, v1},
                                   {ClipX(right), ClipY(bottom), u1, v1}};
        DrawQuad(corners, argb, cosR, sinR);
    }

    void DrawFullTarget(uint32_t argb) { DrawPixelRect(0.0f, 0.0f, kWidth, kHeight, argb); }

    // A texture and its CPU image from a per-texel function.
    struct TestTexture {
        std::shared_ptr<GfxTexture> Device;
        ShaderReference::Image Cpu;
    };
    TestTexture MakeTexture(int width, int height, const std::function<std::array<int, 4>(int x, int y)>& texel) {
        std::vector<uint8_t> pixels;
        pixels.reserve(static_cast<size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int value : texel(x, y)) {
                    pixels.push_back(static_cast<uint8_t>(value));
                }
            }
        }
        std::shared_ptr<GfxTexture> texture = mDevice->CreateTexture(width, height, pixels.data(), GfxMips::One);
        return {std::move(texture), ShaderReference::Image(width, height, std::move(pixels))};
    }

    // A smooth colour pattern, different per seed; alpha between minAlpha and 255.
    static std::array<int, 4> Pattern(int x, int y, float seed, int minAlpha = 60) {
        const float fx = static_cast<float>(x);
        const float fy = static_cast<float>(y);
        const auto channel = [](float phase, int low, int high) {
            return static_cast<int>(std::lround(low + (high - low) * (0.5f + 0.5f * std::sin(phase))));
        };
        return {channel(0.45f * fx + 0.2f * fy + seed, 20, 235), channel(0.3f * fx - 0.35f * fy + 2.0f * seed, 20, 235),
                channel(0.15f * fx + 0.4f * fy + 3.0f * seed, 20, 235),
                channel(0.25f * fx + 0.3f * fy + 0.5f * seed, minAlpha, 255)};
    }

    static ShaderReference::Vec4 ColorOf(uint32_t argb) {
        return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                ((argb >> 24) & 0xFF) / 255.0f};
    }

    static ::testing::AssertionResult MatchesReference(const std::vector<uint8_t>& pixels, int width, int height,
                                                       const ShaderReference::PixelReference& reference) {
        return ShaderReference::MatchesReference(pixels, width, height, reference);
    }

    std::unique_ptr<SdlVideo> mVideo;
    std::unique_ptr<Window> mWindow;
    std::unique_ptr<GfxDevice> mDevice;
    std::unique_ptr<GfxBuffer> mVertices;
    std::unique_ptr<GfxBuffer> mIndices;
    std::map<std::string, std::unique_ptr<GfxShader>> mShaders;
};
