#include "platform/gfx/GfxDevice.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/DeviceThread.h"
#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxProgram.h"
#include "platform/gfx/GfxShader.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/gfx/GfxVertex.h"
#include "platform/window/Window.h"

namespace {

constexpr float kAnisotropyCap = 16.0f;

GLenum ToGl(GfxBlend blend) {
    switch (blend) {
        case GfxBlend::Zero: return GL_ZERO;
        case GfxBlend::One: return GL_ONE;
        case GfxBlend::SrcColor: return GL_SRC_COLOR;
        case GfxBlend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
        case GfxBlend::SrcAlpha: return GL_SRC_ALPHA;
        case GfxBlend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
        case GfxBlend::DestAlpha: return GL_DST_ALPHA;
        case GfxBlend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
        case GfxBlend::DestColor: return GL_DST_COLOR;
        case GfxBlend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
    }
    return GL_ONE;
}

GLenum ToGl(GfxBlendOp op) {
    switch (op) {
        case GfxBlendOp::Add: return GL_FUNC_ADD;
        case GfxBlendOp::Subtract: return GL_FUNC_SUBTRACT;
        case GfxBlendOp::RevSubtract: return GL_FUNC_REVERSE_SUBTRACT;
        case GfxBlendOp::Min: return GL_MIN;
        case GfxBlendOp::Max: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLint ToGl(GfxAddress address) {
    switch (address) {
        case GfxAddress::Wrap: return GL_REPEAT;
        case GfxAddress::Mirror: return GL_MIRRORED_REPEAT;
        case GfxAddress::Clamp: return GL_CLAMP_TO_EDGE;
        case GfxAddress::Border: return GL_CLAMP_TO_BORDER;
    }
    return GL_REPEAT;
}

bool IsPoint(GfxFilter filter) {
    return filter == GfxFilter::Point || filter == GfxFilter::None;
}

GLint MagnificationFilter(GfxFilter mag) {
    return IsPoint(mag) ? GL_NEAREST : GL_LINEAR;
}

GLint MinificationFilter(GfxFilter min, GfxFilter mip) {
    const bool pointMin = IsPoint(min);
    switch (mip) {
        case GfxFilter::None: return pointMin ? GL_NEAREST : GL_LINEAR;
        case GfxFilter::Point: return pointMin ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
        default: return pointMin ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    }
}

void CheckUnit(int unit) {
    if (unit < 0 || unit >= kGfxSamplerUnits) {
        throw std::out_of_range("Texture unit " + std::to_string(unit) + " does not exist");
    }
}

void CheckTargetIndex(int index) {
    if (index < 0 || index >= kGfxMaxRenderTargets) {
        throw std::out_of_range("Render target " + std::to_string(index) + " does not exist");
    }
}

// Writes registers [first, first + count) of a register file of `total` vec4s.
void WriteRegisters(float* file, int total, int first, const float* values, int count) {
    if (first < 0 || count < 0 || first + count > total) {
        throw std::out_of_range("Constant registers c" + std::to_string(first) + "..c" +
                                std::to_string(first + count - 1) + " do not exist");
    }
    std::copy(values, values + count * 4, file + first * 4);
}

GLuint CreateUniformBuffer(size_t bytes, GLuint binding) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferData(GL_UNIFORM_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, binding, buffer);
    return buffer;
}

void UploadUniformBuffer(GLuint buffer, const float* values, size_t count) {
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, static_cast<GLsizeiptr>(count * sizeof(float)), values);
}

}  // namespace

GfxDevice::GfxDevice(Window& window, int backBufferWidth, int backBufferHeight) : mWindow(window), mContext(window) {
    GLuint names[2] = {};
    glGenFramebuffers(2, names);
    mFramebuffer = GlFramebuffer(names[0]);
    mPresentFramebuffer = GlFramebuffer(names[1]);
    GLuint depth = 0;
    glGenRenderbuffers(1, &depth);
    mDepth = GlRenderbuffer(depth);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    mVertexArray = GlVertexArray(vertexArray);
    glBindVertexArray(vertexArray);

    mVertexConstantBuffer =
        GlBuffer(CreateUniformBuffer(sizeof(mVertexConstants), GfxProgram::kVertexConstantsBinding));
    mPixelConstantBuffer = GlBuffer(CreateUniformBuffer(sizeof(mPixelConstants), GfxProgram::kPixelConstantsBinding));
    for (int unit = 0; unit < kGfxSamplerUnits; ++unit) {
        GLuint sampler = 0;
        glGenSamplers(1, &sampler);
        mSamplers[unit] = GlSampler(sampler);
        glBindSampler(unit, sampler);
    }
    if (mContext.HasExtension("GL_EXT_texture_filter_anisotropic") ||
        mContext.HasExtension("GL_ARB_texture_filter_anisotropic")) {
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &mMaxAnisotropy);
        mMaxAnisotropy = std::min(mMaxAnisotropy, kAnisotropyCap);
    }
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &mMaxTextureSize);
    // Sampler objects start with OpenGL's defaults, not ours.
    for (int unit = 0; unit < kGfxSamplerUnits; ++unit) {
        ApplySamplerState(unit);
    }

    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer.Get());
    ApplyFixedState();
    mImmediateBuffer = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, 128 * sizeof(GfxVertex));
    ResizeBackBuffer(backBufferWidth, backBufferHeight);
}

GfxDevice::~GfxDevice() = default;

void GfxDevice::ApplyFixedState() {
    gGlThread.Check("GfxDevice::ApplyFixedState");
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ZERO);
    glBlendEquationSeparate(GL_FUNC_ADD, GL_FUNC_ADD);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    for (GLuint attribute = 0; attribute < 4; ++attribute) {
        glEnableVertexAttribArray(attribute);
    }
}

std::shared_ptr<GfxTexture> GfxDevice::CreateTexture(int width, int height, const uint8_t* pixels, GfxMips mips) {
    return std::shared_ptr<GfxTexture>(new GfxTexture(width, height, pixels, mips, false));
}

std::shared_ptr<GfxTexture> GfxDevice::CreateRenderTarget(int width, int height, GfxMips mips) {
    return std::shared_ptr<GfxTexture>(new GfxTexture(width, height, nullptr, mips, true));
}

void GfxDevice::ResizeBackBuffer(int width, int height) {
    const bool wasTarget = mTargets[0] == nullptr || mTargets[0] == mBackBuffer;
    mBackBuffer = CreateRenderTarget(width, height, GfxMips::One);
    if (wasTarget) {
        SetRenderTarget(0, mBackBuffer);
    }
}

void GfxDevice::SetVSync(bool enabled) {
    mContext.SetVSync(enabled);
}

void GfxDevice::Present() {
    CopyBackBufferToWindow();
    mContext.SwapBuffers();
}

void GfxDevice::CopyBackBufferToWindow() {
    gGlThread.Check("GfxDevice::CopyBackBufferToWindow");
    int windowWidth = 0;
    int windowHeight = 0;
    mWindow.GetDrawableSize(&windowWidth, &windowHeight);
    const int width = mBackBuffer->Width();
    const int height = mBackBuffer->Height();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, mPresentFramebuffer.Get());
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, mBackBuffer->GlName(), 0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Targets hold the top row first, the window the bottom row: the copy flips.
    const bool sameSize = width == windowWidth && height == windowHeight;
    glBlitFramebuffer(0, 0, width, height, 0, windowHeight, windowWidth, 0, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer.Get());
}

std::vector<uint8_t> GfxDevice::ReadWindowPixels(int* width, int* height) const {
    gGlThread.Check("GfxDevice::ReadWindowPixels");
    mWindow.GetDrawableSize(width, height);
    const size_t rowBytes = static_cast<size_t>(*width) * 4;
    std::vector<uint8_t> bottomFirst(rowBytes * static_cast<size_t>(*height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, *width, *height, GL_RGBA, GL_UNSIGNED_BYTE, bottomFirst.data());
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer.Get());
    std::vector<uint8_t> topFirst(bottomFirst.size());
    for (int row = 0; row < *height; ++row) {
        std::copy_n(bottomFirst.begin() + static_cast<ptrdiff_t>(rowBytes * (*height - 1 - row)), rowBytes,
                    topFirst.begin() + static_cast<ptrdiff_t>(rowBytes * row));
    }
    return topFirst;
}

void GfxDevice::SetRenderTarget(int index, std::shared_ptr<GfxTexture> target) {
    gGlThread.Check("GfxDevice::SetRenderTarget");
    CheckTargetIndex(index);
    if (index == 0 && target == nullptr) {
        throw std::invalid_argument("Render target 0 cannot be empty");
    }
    if (target != nullptr && !target->IsRenderTarget()) {
        throw std::invalid_argument("A texture made without CreateRenderTarget cannot be drawn into");
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + index, GL_TEXTURE_2D,
                           target != nullptr ? target->GlName() : 0, 0);
    mTargets[index] = std::move(target);

    GLenum drawBuffers[kGfxMaxRenderTargets];
    for (int i = 0; i < kGfxMaxRenderTargets; ++i) {
        drawBuffers[i] = mTargets[i] != nullptr ? GL_COLOR_ATTACHMENT0 + i : GL_NONE;
    }
    glDrawBuffers(kGfxMaxRenderTargets, drawBuffers);
    mFramebufferChecked = false;

    if (index == 0) {
        EnsureDepthFits(mTargets[0]->Width(), mTargets[0]->Height());
        SetViewport({0, 0, mTargets[0]->Width(), mTargets[0]->Height(), 0.0f, 1.0f});
    } else if (mTargets[index] != nullptr) {
        EnsureDepthFits(mTargets[index]->Width(), mTargets[index]->Height());
    }
}

const std::shared_ptr<GfxTexture>& GfxDevice::RenderTarget(int index) const {
    CheckTargetIndex(index);
    return mTargets[index];
}

// One depth buffer serves every target; it grows to the largest one bound.
void GfxDevice::EnsureDepthFits(int width, int height) {
    gGlThread.Check("GfxDevice::EnsureDepthFits");
    if (width <= mDepthWidth && height <= mDepthHeight) {
        return;
    }
    mDepthWidth = std::max(width, mDepthWidth);
    mDepthHeight = std::max(height, mDepthHeight);
    glBindRenderbuffer(GL_RENDERBUFFER, mDepth.Get());
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, mDepthWidth, mDepthHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, mDepth.Get());
    mFramebufferChecked = false;
}

void GfxDevice::SetViewport(const GfxViewport& viewport) {
    if (viewport.Width < 0 || viewport.Height < 0) {
        throw std::invalid_argument("A viewport cannot have a negative size");
    }
    mViewport = viewport;
    ApplyViewport();
}

// Rows count from the top in both the viewport and the stored target, so the numbers
// pass through unchanged.
void GfxDevice::ApplyViewport() {
    gGlThread.Check("GfxDevice::SetViewport");
    glViewport(mViewport.X, mViewport.Y, mViewport.Width, mViewport.Height);
    glDepthRange(mViewport.MinZ, mViewport.MaxZ);
}

void GfxDevice::Clear(unsigned flags, const GfxColor& color, float depth) {
    gGlThread.Check("GfxDevice::Clear");
    GLbitfield mask = 0;
    if ((flags & GfxClearColor) != 0) {
        glClearColor(color.R, color.G, color.B, color.A);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & GfxClearDepth) != 0) {
        glClearDepth(depth);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask == 0) {
        return;
    }
    CheckFramebuffer();
    // Like drawing, clearing stays inside the viewport.
    glEnable(GL_SCISSOR_TEST);
    glScissor(mViewport.X, mViewport.Y, mViewport.Width, mViewport.Height);
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    if ((mask & GL_COLOR_BUFFER_BIT) != 0) {
        MarkTargetsDrawn();
    }
}

void GfxDevice::SetVertexShader(const GfxShader* shader) {
    if (shader != nullptr && shader->Stage() != GfxShaderStage::Vertex) {
        throw std::invalid_argument("'" + shader->Name() + "' is not a vertex shader");
    }
    mVertexShader = shader;
}

void GfxDevice::SetPixelShader(const GfxShader* shader) {
    if (shader != nullptr && shader->Stage() != GfxShaderStage::Pixel) {
        throw std::invalid_argument("'" + shader->Name() + "' is not a pixel shader");
    }
    mPixelShader = shader;
}

void GfxDevice::SetVertexConstants(int firstRegister, const float* values, int registerCount) {
    WriteRegisters(mVertexConstants.data(), kGfxVertexConstantRegisters, firstRegister, values, registerCount);
    mVertexConstantsDirty = true;
}

void GfxDevice::SetPixelConstants(int firstRegister, const float* values, int registerCount) {
    WriteRegisters(mPixelConstants.data(), kGfxPixelConstantRegisters, firstRegister, values, registerCount);
    mPixelConstantsDirty = true;
}

void GfxDevice::ForgetPrograms() {
    gGlThread.Check("GfxDevice::ForgetPrograms");
    glUseProgram(0);
    mCurrentProgram = 0;
    mPrograms.clear();
    mVertexShader = nullptr;
    mPixelShader = nullptr;
}

void GfxDevice::SetTexture(int unit, std::shared_ptr<GfxTexture> texture) {
    gGlThread.Check("GfxDevice::SetTexture");
    CheckUnit(unit);
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->GlName() : 0);
    mTextures[unit] = std::move(texture);
}

const std::shared_ptr<GfxTexture>& GfxDevice::Texture(int unit) const {
    CheckUnit(unit);
    return mTextures[unit];
}

void GfxDevice::SetSamplerState(int unit, const GfxSamplerState& state) {
    CheckUnit(unit);
    if (state == mSamplerStates[unit]) {
        return;
    }
    mSamplerStates[unit] = state;
    ApplySamplerState(unit);
}

void GfxDevice::ApplySamplerState(int unit) {
    gGlThread.Check("GfxDevice::SetSamplerState");
    const GfxSamplerState& state = mSamplerStates[unit];
    const GLuint sampler = mSamplers[unit].Get();
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, ToGl(state.AddressU));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, ToGl(state.AddressV));
    const float transparentBlack[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, transparentBlack);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, MagnificationFilter(state.MagFilter));
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinificationFilter(state.MinFilter, state.MipFilter));
    if (SupportsAnisotropy()) {
        const bool anisotropic = state.MinFilter == GfxFilter::Anisotropic || state.MagFilter == GfxFilter::Anisotropic;
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropic ? mMaxAnisotropy : 1.0f);
    }
}

const GfxSamplerState& GfxDevice::SamplerState(int unit) const {
    CheckUnit(unit);
    return mSamplerStates[unit];
}

void GfxDevice::SetBlendState(const GfxBlendState& state) {
    gGlThread.Check("GfxDevice::SetBlendState");
    mBlend = state;
    if (!state.Enabled) {
        glDisable(GL_BLEND);
        return;
    }
    glEnable(GL_BLEND);
    const GfxBlend srcAlpha = state.SeparateAlpha ? state.SrcAlpha : state.Src;
    const GfxBlend destAlpha = state.SeparateAlpha ? state.DestAlpha : state.Dest;
    const GfxBlendOp alphaOp = state.SeparateAlpha ? state.AlphaOp : state.Op;
    glBlendFuncSeparate(ToGl(state.Src), ToGl(state.Dest), ToGl(srcAlpha), ToGl(destAlpha));
    glBlendEquationSeparate(ToGl(state.Op), ToGl(alphaOp));
}

void GfxDevice::SetFillMode(GfxFillMode mode) {
    gGlThread.Check("GfxDevice::SetFillMode");
    mFillMode = mode;
    glPolygonMode(GL_FRONT_AND_BACK, mode == GfxFillMode::Wireframe ? GL_LINE : GL_FILL);
}

void GfxDevice::BindVertexLayout(unsigned int bufferName) {
    gGlThread.Check("GfxDevice::SetVertexBuffer");
    glBindBuffer(GL_ARRAY_BUFFER, bufferName);
    if (bufferName == 0) {
        return;  // attribute offsets need a buffer; draws are refused until one is set
    }
    const GLsizei stride = sizeof(GfxVertex);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(GfxVertex, X)));
    // 0xAARRGGBB in memory is B, G, R, A: the BGRA size reads it as (r, g, b, a).
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(GfxVertex, Argb)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(GfxVertex, U0)));
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(GfxVertex, U1)));
}

void GfxDevice::SetVertexBuffer(const GfxBuffer* buffer) {
    if (buffer != nullptr && buffer->Kind() != GfxBufferKind::Vertex) {
        throw std::invalid_argument("An index buffer cannot serve as the vertex buffer");
    }
    mVertexBuffer = buffer != nullptr ? BoundBuffer{buffer->GlName(), buffer->SizeBytes()} : BoundBuffer{};
    BindVertexLayout(mVertexBuffer.Name);
}

void GfxDevice::SetIndexBuffer(const GfxBuffer* buffer) {
    gGlThread.Check("GfxDevice::SetIndexBuffer");
    if (buffer != nullptr && buffer->Kind() != GfxBufferKind::Index16) {
        throw std::invalid_argument("A vertex buffer cannot serve as the index buffer");
    }
    mIndexBuffer = buffer != nullptr ? BoundBuffer{buffer->GlName(), buffer->SizeBytes()} : BoundBuffer{};
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mIndexBuffer.Name);
}

void GfxDevice::DrawIndexedTriangles(int vertexCount, int triangleCount) {
    if (triangleCount <= 0) {
        return;
    }
    const size_t indexBytes = static_cast<size_t>(triangleCount) * 3 * sizeof(uint16_t);
    const size_t vertexBytes = static_cast<size_t>(std::max(vertexCount, 0)) * sizeof(GfxVertex);
    if (mVertexBuffer.Name == 0 || mIndexBuffer.Name == 0) {
        throw std::logic_error("Indexed draw without a vertex and an index buffer");
    }
    if (indexBytes > mIndexBuffer.SizeBytes || vertexBytes > mVertexBuffer.SizeBytes) {
        throw std::out_of_range("Indexed draw of " + std::to_string(triangleCount) +
                                " triangles reads past its buffers");
    }
    PrepareDraw();
    glDrawElements(GL_TRIANGLES, triangleCount * 3, GL_UNSIGNED_SHORT, nullptr);
}

void GfxDevice::DrawLineStrip(const GfxVertex* vertices, int vertexCount) {
    gGlThread.Check("GfxDevice::DrawLineStrip");
    if (vertexCount < 2) {
        return;
    }
    const size_t bytes = static_cast<size_t>(vertexCount) * sizeof(GfxVertex);
    if (bytes > mImmediateBuffer->SizeBytes()) {
        mImmediateBuffer = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, bytes);
    }
    mImmediateBuffer->Write(0, vertices, bytes);
    BindVertexLayout(mImmediateBuffer->GlName());
    PrepareDraw();
    glDrawArrays(GL_LINE_STRIP, 0, vertexCount);
    BindVertexLayout(mVertexBuffer.Name);
}

void GfxDevice::UnbindAll() {
    for (int unit = 0; unit < kGfxSamplerUnits; ++unit) {
        SetTexture(unit, nullptr);
    }
    SetRenderTarget(0, mBackBuffer);
    for (int index = 1; index < kGfxMaxRenderTargets; ++index) {
        SetRenderTarget(index, nullptr);
    }
    SetVertexBuffer(nullptr);
    SetIndexBuffer(nullptr);
}

unsigned int GfxDevice::TakeError() {
    gGlThread.Check("GfxDevice::TakeError");
    const GLenum first = glGetError();
    while (glGetError() != GL_NO_ERROR) {
    }
    return first;
}

void GfxDevice::PrepareDraw() {
    gGlThread.Check("GfxDevice::PrepareDraw");
    UseCurrentProgram();
    UploadConstants();
    RefreshSampledMips();
    CheckFramebuffer();
    MarkTargetsDrawn();
}

// A program is a pair of shaders, linked the first time the pair draws.
void GfxDevice::UseCurrentProgram() {
    if (mVertexShader == nullptr || mPixelShader == nullptr) {
        throw std::logic_error("Draw without a vertex and a pixel shader");
    }
    const auto key = std::make_pair(mVertexShader->Serial(), mPixelShader->Serial());
    auto found = mPrograms.find(key);
    if (found == mPrograms.end()) {
        found = mPrograms.emplace(key, std::make_unique<GfxProgram>(*mVertexShader, *mPixelShader)).first;
    }
    const unsigned int program = found->second->GlName();
    if (program != mCurrentProgram) {
        glUseProgram(program);
        mCurrentProgram = program;
    }
}

void GfxDevice::UploadConstants() {
    if (mVertexConstantsDirty) {
        UploadUniformBuffer(mVertexConstantBuffer.Get(), mVertexConstants.data(), mVertexConstants.size());
        mVertexConstantsDirty = false;
    }
    if (mPixelConstantsDirty) {
        UploadUniformBuffer(mPixelConstantBuffer.Get(), mPixelConstants.data(), mPixelConstants.size());
        mPixelConstantsDirty = false;
    }
}

void GfxDevice::RefreshSampledMips() {
    for (const std::shared_ptr<GfxTexture>& texture : mTextures) {
        if (texture != nullptr && !IsBoundAsTarget(texture.get())) {
            texture->RefreshMips();
        }
    }
}

void GfxDevice::CheckFramebuffer() {
    if (mFramebufferChecked) {
        return;
    }
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        throw std::runtime_error("The render targets cannot be drawn into together (status " + std::to_string(status) +
                                 ")");
    }
    mFramebufferChecked = true;
}

void GfxDevice::MarkTargetsDrawn() {
    for (const std::shared_ptr<GfxTexture>& target : mTargets) {
        if (target != nullptr) {
            target->MarkDrawn();
        }
    }
}

bool GfxDevice::IsBoundAsTarget(const GfxTexture* texture) const {
    return std::any_of(mTargets.begin(), mTargets.end(),
                       [texture](const std::shared_ptr<GfxTexture>& target) { return target.get() == texture; });
}
