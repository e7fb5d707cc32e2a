#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gfx/GfxContext.h"
#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GlName.h"

class GfxBuffer;
class GfxProgram;
class GfxShader;
class GfxTexture;
class Window;
struct GfxVertex;

// The renderer's device on OpenGL 3.3 core. It keeps state the way the renderer's
// passes expect: values stay set until changed, constant registers are shared by every
// shader pair, and all drawing goes to offscreen targets, the back buffer included,
// which Present copies to the window. One depth buffer (cleared to 1, test less-or-equal,
// writes on) serves every target. Culling is always off.
class GfxDevice {
public:
    // Creates the context on the window and a back buffer of the given size, which
    // becomes render target 0.
    GfxDevice(Window& window, int backBufferWidth, int backBufferHeight);
    ~GfxDevice();

    GfxDevice(const GfxDevice&) = delete;
    GfxDevice& operator=(const GfxDevice&) = delete;

    // Resources. pixels: RGBA bytes, top row first.
    std::shared_ptr<GfxTexture> CreateTexture(int width, int height, const uint8_t* pixels, GfxMips mips);
    std::shared_ptr<GfxTexture> CreateRenderTarget(int width, int height, GfxMips mips);

    // The back buffer and presentation.
    const std::shared_ptr<GfxTexture>& BackBuffer() const { return mBackBuffer; }
    void ResizeBackBuffer(int width, int height);
    void SetVSync(bool enabled);
    // Shows the back buffer in the window.
    void Present();
    // The two halves of Present, apart so that tests can read the window in between.
    void CopyBackBufferToWindow();
    std::vector<uint8_t> ReadWindowPixels(int* width, int* height) const;

    // Render targets. Target 0 is never null; setting it resets the viewport to its size.
    void SetRenderTarget(int index, std::shared_ptr<GfxTexture> target);
    const std::shared_ptr<GfxTexture>& RenderTarget(int index) const;
    void SetViewport(const GfxViewport& viewport);
    const GfxViewport& Viewport() const { return mViewport; }
    // Clears the viewport's area of every bound target (GfxClearColor) and of the depth
    // buffer (GfxClearDepth).
    void Clear(unsigned flags, const GfxColor& color, float depth);

    // Shaders and their constant registers.
    void SetVertexShader(const GfxShader* shader);
    void SetPixelShader(const GfxShader* shader);
    const GfxShader* VertexShader() const { return mVertexShader; }
    const GfxShader* PixelShader() const { return mPixelShader; }
    void SetVertexConstants(int firstRegister, const float* values, int registerCount);
    void SetPixelConstants(int firstRegister, const float* values, int registerCount);
    // Drops the linked shader pairs; call when shaders are destroyed.
    void ForgetPrograms();

    // Textures and sampler states of units 0..kGfxSamplerUnits-1.
    void SetTexture(int unit, std::shared_ptr<GfxTexture> texture);
    const std::shared_ptr<GfxTexture>& Texture(int unit) const;
    void SetSamplerState(int unit, const GfxSamplerState& state);
    const GfxSamplerState& SamplerState(int unit) const;
    bool SupportsAnisotropy() const { return mMaxAnisotropy > 1.0f; }
    // The largest texture side the device accepts.
    int MaxTextureSize() const { return mMaxTextureSize; }

    void SetBlendState(const GfxBlendState& state);
    const GfxBlendState& BlendState() const { return mBlend; }
    void SetFillMode(GfxFillMode mode);
    GfxFillMode FillMode() const { return mFillMode; }

    // Geometry in the GfxVertex layout and 16-bit indices.
    void SetVertexBuffer(const GfxBuffer* buffer);
    void SetIndexBuffer(const GfxBuffer* buffer);
    // Triangles from index 0 of the index buffer, indices relative to vertex 0.
    void DrawIndexedTriangles(int vertexCount, int triangleCount);
    // Draws at once from memory, leaving the vertex buffer as set.
    void DrawLineStrip(const GfxVertex* vertices, int vertexCount);

    // Releases every texture, target and buffer binding except the back buffer.
    void UnbindAll();
    // The first OpenGL error since the last call, 0 when none.
    unsigned int TakeError();

private:
    struct BoundBuffer {
        unsigned int Name = 0;
        size_t SizeBytes = 0;
    };

    void ApplyFixedState();
    void ApplySamplerState(int unit);
    void BindVertexLayout(unsigned int bufferName);
    void EnsureDepthFits(int width, int height);
    void ApplyViewport();
    void PrepareDraw();
    void UseCurrentProgram();
    void UploadConstants();
    void RefreshSampledMips();
    void CheckFramebuffer();
    void MarkTargetsDrawn();
    bool IsBoundAsTarget(const GfxTexture* texture) const;

    Window& mWindow;
    GfxContext mContext;

    GlFramebuffer mFramebuffer;
    GlFramebuffer mPresentFramebuffer;
    GlRenderbuffer mDepth;
    int mDepthWidth = 0;
    int mDepthHeight = 0;
    bool mFramebufferChecked = false;
    std::shared_ptr<GfxTexture> mBackBuffer;
    std::array<std::shared_ptr<GfxTexture>, kGfxMaxRenderTargets> mTargets;
    GfxViewport mViewport;

    const GfxShader* mVertexShader = nullptr;
    const GfxShader* mPixelShader = nullptr;
    std::map<std::pair<uint64_t, uint64_t>, std::unique_ptr<GfxProgram>> mPrograms;
    unsigned int mCurrentProgram = 0;
    std::array<float, kGfxVertexConstantRegisters * 4> mVertexConstants{};
    std::array<float, kGfxPixelConstantRegisters * 4> mPixelConstants{};
    bool mVertexConstantsDirty = true;
    bool mPixelConstantsDirty = true;
    GlBuffer mVertexConstantBuffer;
    GlBuffer mPixelConstantBuffer;

    std::array<std::shared_ptr<GfxTexture>, kGfxSamplerUnits> mTextures;
    std::array<GfxSamplerState, kGfxSamplerUnits> mSamplerStates;
    std::array<GlSampler, kGfxSamplerUnits> mSamplers;
    float mMaxAnisotropy = 1.0f;
    int mMaxTextureSize = 0;

    GfxBlendState mBlend;
    GfxFillMode mFillMode = GfxFillMode::Solid;

    GlVertexArray mVertexArray;
    BoundBuffer mVertexBuffer;
    BoundBuffer mIndexBuffer;
    std::unique_ptr<GfxBuffer> mImmediateBuffer;
};
