// The frame: the fixed sequence of layer passes that draws the object tree, with the
// render states and shaders of each.

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "assets/TextureManager.h"
#include "object/GameObject.h"
#include "object/MissingContent.h"
#include "object/SceneRoots.h"
#include "render/CameraConstants.h"
#include "render/DebugLines.h"
#include "render/Graphics.h"
#include "render/GraphicsImpl.h"
#include "render/RenderSettings.h"
#include "render/ShadowBlur.h"

namespace {

constexpr Color kWhite{255, 255, 255, 255};
constexpr Color kOpaqueBlack{0, 0, 0, 255};
constexpr GfxColor kTransparentBlack{0.0f, 0.0f, 0.0f, 0.0f};

// Constant registers the frame writes.
constexpr int kTimeRegister = 0;          // background pixel shaders: c0.x
constexpr int kBlurWeightsRegister = 0;   // blur pixel shaders: c0
constexpr int kBlurTexelRegister = 1;     // c1.xy
constexpr int kBlurDarknessRegister = 2;  // c2.x
constexpr int kScreenSizeRegister = 3;    // light vertex shader: c3.xy

// The full-screen quads of the shadow blurs and composites.
constexpr int kLitCompositeQuads = 4;

// Texture units of the light pass's scene targets.
constexpr int kSceneColorUnit = 2;
constexpr int kSceneNormalUnit = 3;
constexpr int kSceneExtrasUnit = 4;

void SetAddress(GfxDevice& device, int unit, GfxAddress address) {
    GfxSamplerState state = device.SamplerState(unit);
    state.AddressU = address;
    state.AddressV = address;
    device.SetSamplerState(unit, state);
}

// Magnification and minification; the mip filter stays.
void SetFilters(GfxDevice& device, int unit, GfxFilter filter) {
    GfxSamplerState state = device.SamplerState(unit);
    state.MagFilter = filter;
    state.MinFilter = filter;
    device.SetSamplerState(unit, state);
}

void SetFilters(GfxDevice& device, int unit, GfxFilter filter, GfxFilter mipFilter) {
    GfxSamplerState state = device.SamplerState(unit);
    state.MagFilter = filter;
    state.MinFilter = filter;
    state.MipFilter = mipFilter;
    device.SetSamplerState(unit, state);
}

void SetDestBlend(GfxDevice& device, GfxBlend dest) {
    GfxBlendState blend = device.BlendState();
    blend.Dest = dest;
    device.SetBlendState(blend);
}

// One value in the first component of a register; the rest are 0.
void SetPixelScalar(GfxDevice& device, int reg, float value) {
    const float values[4] = {value, 0.0f, 0.0f, 0.0f};
    device.SetPixelConstants(reg, values, 1);
}

const Texture* FindTexture(const TextureManager* textures, std::string_view name) {
    return textures != nullptr ? textures->GetTexture(std::string(name)) : nullptr;
}

// A background that names no texture leaves the frame on its clear colour, so it is told
// (once per name) as every other look-up that finds nothing.
const Texture* FindBackgroundTexture(const TextureManager* textures, std::string_view name) {
    const Texture* found = FindTexture(textures, name);
    if (found == nullptr && textures != nullptr) {
        WarnMissingContent("texture", std::string(name), "the frame's background, RenderSettings.BackgroundTexture");
    }
    return found;
}

// Runs the passes of one frame. Lives for one DrawFrame.
class FrameDrawer {
public:
    FrameDrawer(Graphics& graphics, GraphicsImpl& impl)
        : mGraphics(graphics),
          mImpl(impl),
          mDevice(*mImpl.Device),
          mSettings(*graphics.Settings),
          mShaders(mImpl.FrameShaderSet) {}

    void Draw() {
        mDevice.Present();
        Begin();
        mGraphics.SetCamera(&mGraphics.WorldCamera);
        DrawBackground();
        DrawLitForeground();
        mGraphics.UpdateBlurResources();
        if (mImpl.Batches.BatchCount() > 0 || mImpl.AlwaysCompositeLit != 0) {
            DrawShadow();
            CompositeExtras();
        } else {
            LeaveStateOfComposites();
        }
        DrawSpriteLights();
        DrawForeground();
        DrawPhysics();
        DrawInterface();
        DrawEditorOverlays();
    }

private:
    void UseShaders(const GfxShader* vertexShader, const GfxShader* pixelShader) {
        mDevice.SetVertexShader(vertexShader);
        mDevice.SetPixelShader(pixelShader);
    }

    void Pass(GameObject* root, DrawLayer mask) { mGraphics.DrawLayerPass(root, mask, kWhite, nullptr); }

    // Quads start at depth 1; the back buffer is cleared and the shared states set.
    void Begin() {
        mImpl.Batches.SetDepth(1.0f);
        mDevice.SetRenderTarget(0, mDevice.BackBuffer());
        mDevice.SetRenderTarget(1, nullptr);
        mDevice.SetRenderTarget(2, nullptr);
        const Color& c = mGraphics.ClearColor;
        const GfxColor clear{c.R / 255.0f, c.G / 255.0f, c.B / 255.0f, c.A / 255.0f};
        mDevice.Clear(mSettings.NoColorClear != 0 ? GfxClearDepth : GfxClearColor | GfxClearDepth, clear, 1.0f);

        for (int unit = 0; unit <= kSceneExtrasUnit; ++unit) {
            mDevice.SetTexture(unit, nullptr);
        }
        // The separate alpha blending of the lit pass stays as it was.
        GfxBlendState blend = mDevice.BlendState();
        blend.Enabled = true;
        blend.Src = GfxBlend::SrcAlpha;
        blend.Dest = GfxBlend::InvSrcAlpha;
        mDevice.SetBlendState(blend);
        for (int unit = 0; unit <= 1; ++unit) {
            SetFilters(mDevice, unit, GfxFilter::Linear, GfxFilter::Linear);
            SetAddress(mDevice, unit, GfxAddress::Border);
        }
    }

    // The picture swirled into the small first-pass target, then drawn through every
    // background sprite's frame by the second-pass shader of the mode.
    void DrawBackground() {
        const Texture* picture = mImpl.BackgroundTexture.Get(gTextureManager, mSettings.BackgroundTexture, FindBackgroundTexture);
        if (picture == nullptr) {
            return;
        }
        mDevice.SetVertexShader(mShaders.BackgroundVS);
        mDevice.SetRenderTarget(0, mImpl.FirstPassTarget);
        mDevice.SetPixelShader(mShaders.BackgroundFirstPassPS);
        SetPixelScalar(mDevice, kTimeRegister, mSettings.FirstPassTime);
        SetAddress(mDevice, 0, GfxAddress::Mirror);
        mGraphics.DrawFullscreenQuad(picture->DeviceTexture, kWhite);

        if (mSettings.BackgroundMode == 0) {
            mDevice.SetPixelShader(mShaders.BackgroundPS0);
        } else if (mSettings.BackgroundMode == 1) {
            mDevice.SetPixelShader(mShaders.BackgroundPS1);
            SetFilters(mDevice, 0, GfxFilter::Anisotropic);
        }
        SetPixelScalar(mDevice, kTimeRegister, mSettings.SecondPassTime);
        mDevice.SetRenderTarget(0, mDevice.BackBuffer());
        mGraphics.DrawLayerPass(gGameplayRoot, DrawLayer::Background, kWhite, &mImpl.FirstPassTexture);
    }

    // Lit sprites into the colour, normal and extras targets. Their coverage alpha
    // keeps the largest value, so a faint sprite over a solid one leaves it solid.
    void DrawLitForeground() {
        SetAddress(mDevice, 0, GfxAddress::Border);
        SetFilters(mDevice, 0, GfxFilter::Linear);
        GfxBlendState blend = mDevice.BlendState();
        blend.SeparateAlpha = true;
        blend.SrcAlpha = GfxBlend::SrcAlpha;
        blend.DestAlpha = GfxBlend::DestAlpha;
        blend.AlphaOp = GfxBlendOp::Max;
        mDevice.SetBlendState(blend);
        UseShaders(mShaders.SpriteVS, mShaders.LitSpritePS);
        mDevice.SetRenderTarget(0, mImpl.SceneColorTarget);
        mDevice.SetRenderTarget(1, mImpl.SceneNormalTarget);
        mDevice.SetRenderTarget(2, mImpl.SceneExtrasTarget);
        mDevice.Clear(GfxClearColor, kTransparentBlack, 1.0f);
        Pass(gRootObject, DrawLayer::ForegroundLit);
    }

    // The lit sprites' coverage blurred across, then down, at the blur targets' size,
    // and laid over the background as a soft shadow.
    void DrawShadow() {
        mDevice.SetRenderTarget(0, mImpl.BlurTargetA);
        mDevice.SetRenderTarget(1, nullptr);
        mDevice.SetRenderTarget(2, nullptr);
        mDevice.SetPixelShader(mShaders.BlurFirstPS);
        SetBlurConstants();
        SetAddress(mDevice, 0, GfxAddress::Clamp);
        mDevice.Clear(GfxClearColor, kTransparentBlack, 1.0f);
        mGraphics.DrawFullscreenQuad(mImpl.SceneColorTarget, kOpaqueBlack);

        mDevice.SetPixelShader(mShaders.BlurSecondPS);
        mDevice.SetRenderTarget(0, mImpl.BlurTargetB);
        mDevice.Clear(GfxClearColor, kTransparentBlack, 1.0f);
        mGraphics.DrawFullscreenQuad(mImpl.BlurTargetA, kOpaqueBlack);

        mDevice.SetPixelShader(mShaders.SpritePS);
        mDevice.SetRenderTarget(0, mDevice.BackBuffer());
        mGraphics.DrawFullscreenQuad(mImpl.BlurTargetB, kWhite);
    }

    void SetBlurConstants() {
        mDevice.SetPixelConstants(kBlurWeightsRegister, mImpl.BlurWeights, 1);
        const float texel[4] = {mImpl.BlurTexelSize[0], mImpl.BlurTexelSize[1], 0.0f, 0.0f};
        mDevice.SetPixelConstants(kBlurTexelRegister, texel, 1);
        SetPixelScalar(mDevice, kBlurDarknessRegister, mSettings.ShadowDarkness);
    }

    // Darkens the back buffer by the lit sprites' coverage: they show only where
    // lights reach them.
    void CompositeExtras() {
        mDevice.SetRenderTarget(0, mDevice.BackBuffer());
        mDevice.SetRenderTarget(1, nullptr);
        mDevice.SetRenderTarget(2, nullptr);
        mDevice.SetPixelShader(mShaders.ExtrasCompositePS);
        mGraphics.DrawFullscreenQuad(mImpl.SceneExtrasTarget, kOpaqueBlack);
    }

    // With no lit quad the blurs and composites add alpha 0 everywhere, so they are left
    // out; the passes after them still find the device as those would have left it.
    void LeaveStateOfComposites() {
        SetBlurConstants();
        SetAddress(mDevice, 0, GfxAddress::Clamp);
        mDevice.SetRenderTarget(0, mDevice.BackBuffer());
        mDevice.SetRenderTarget(1, nullptr);
        mDevice.SetRenderTarget(2, nullptr);
        mDevice.SetPixelShader(mShaders.ExtrasCompositePS);
        // What the last quad's batch bound, in the order it binds them.
        mDevice.SetTexture(0, mImpl.SceneExtrasTarget);
        if (mImpl.FlatNormalMap != nullptr) {
            mDevice.SetTexture(1, mImpl.FlatNormalMap);
        }
        for (int quad = 0; quad < kLitCompositeQuads; ++quad) {
            mImpl.Batches.StepDepth();
        }
        // Each quad ends by making the camera current again, on the back buffer now.
        const Camera2d* camera = mImpl.CurrentCamera;
        mGraphics.SetCamera(nullptr);
        mGraphics.SetCamera(camera);
    }

    // Light sprites added to the back buffer, lighting the scene targets texel by texel.
    void DrawSpriteLights() {
        for (int unit = kSceneColorUnit; unit <= kSceneExtrasUnit; ++unit) {
            SetFilters(mDevice, unit, GfxFilter::Point, GfxFilter::None);
        }
        mDevice.SetTexture(kSceneColorUnit, mImpl.SceneColorTarget);
        mDevice.SetTexture(kSceneNormalUnit, mImpl.SceneNormalTarget);
        mDevice.SetTexture(kSceneExtrasUnit, mImpl.SceneExtrasTarget);
        UseShaders(mShaders.LightVS, mShaders.LightPS);
        const float screen[4] = {static_cast<float>(mGraphics.Width), static_cast<float>(mGraphics.Height), 0.0f, 0.0f};
        mDevice.SetVertexConstants(kScreenSizeRegister, screen, 1);
        SetDestBlend(mDevice, GfxBlend::One);
        mGraphics.SetCamera(&mGraphics.WorldCamera);
        Pass(gRootObject, DrawLayer::SpriteLights);
        mDevice.SetTexture(kSceneColorUnit, nullptr);
        mDevice.SetTexture(kSceneNormalUnit, nullptr);
    }

    // Additive sprites (the blend is still additive), then plain ones.
    void DrawForeground() {
        UseShaders(mShaders.SpriteVS, mShaders.SpritePS);
        mGraphics.SetCamera(&mGraphics.WorldCamera);
        Pass(gRootObject, DrawLayer::ForegroundAdd);
        SetDestBlend(mDevice, GfxBlend::InvSrcAlpha);
        Pass(gRootObject, DrawLayer::Foreground);
        UseShaders(mShaders.SpriteVS, mShaders.SpritePS);
        SetDestBlend(mDevice, GfxBlend::InvSrcAlpha);
    }

    // The physics world's shapes as outlines over everything drawn so far.
    void DrawPhysics() {
        if (mGraphics.ShowPhysics == 0) {
            return;
        }
        mDevice.Clear(GfxClearDepth, kTransparentBlack, 1.0f);
        const Texture* editor = mImpl.DebugLinesTexture.Get(gTextureManager, DebugLines::TextureName, FindTexture);
        mDevice.SetTexture(0, editor != nullptr ? editor->DeviceTexture : nullptr);
        if (Graphics::DrawPhysicsView != nullptr) {
            Graphics::DrawPhysicsView();
        }
    }

    void DrawInterface() {
        if (mGraphics.ShowInterface == 0) {
            return;
        }
        SetFilters(mDevice, 0, GfxFilter::Linear, GfxFilter::Point);
        mGraphics.SetCamera(&mGraphics.UiCamera);
        Pass(gRootObject, DrawLayer::Ui);
        Pass(gRootObject, DrawLayer::UiText);
    }

    // Selection outlines in the world, then the editor's panels and their texts, pixel
    // sharp.
    void DrawEditorOverlays() {
        mDevice.SetFillMode(GfxFillMode::Wireframe);
        mGraphics.SetCamera(&mGraphics.WorldCamera);
        Pass(gRootObject, DrawLayer::EditorSelection);

        mGraphics.SetCamera(&mGraphics.UiCamera);
        mDevice.SetFillMode(GfxFillMode::Solid);
        SetFilters(mDevice, 0, GfxFilter::Linear, GfxFilter::Linear);
        Pass(gRootObject, DrawLayer::Editor);
        SetFilters(mDevice, 0, GfxFilter::Point, GfxFilter::Point);
        Pass(gRootObject, DrawLayer::EditorText);
        SetFilters(mDevice, 0, GfxFilter::Linear, GfxFilter::Linear);
        Pass(gRootObject, DrawLayer::Editor2);
        SetFilters(mDevice, 0, GfxFilter::Point, GfxFilter::Point);
        Pass(gRootObject, DrawLayer::EditorText2);
    }

    Graphics& mGraphics;
    GraphicsImpl& mImpl;
    GfxDevice& mDevice;
    const RenderSettings& mSettings;
    const FrameShaders& mShaders;
};

}  // namespace

void GraphicsImpl::ResolveFrameShaders() {
    FrameShaders set;
    const std::pair<const GfxShader**, const char*> named[] = {
        {&set.BackgroundVS, "BackgroundVS"},
        {&set.BackgroundFirstPassPS, "BackgroundFirstPassPS"},
        {&set.BackgroundPS0, "BackgroundPS0"},
        {&set.BackgroundPS1, "BackgroundPS1"},
        {&set.SpriteVS, "SpriteVS"},
        {&set.SpritePS, "SpritePS"},
        {&set.LitSpritePS, "LitSpritePS"},
        {&set.BlurFirstPS, "BlurFirstPS"},
        {&set.BlurSecondPS, "BlurSecondPS"},
        {&set.ExtrasCompositePS, "ExtrasCompositePS"},
        {&set.LightVS, "LightVS"},
        {&set.LightPS, "LightPS"},
    };
    for (const auto& [slot, name] : named) {
        *slot = &Shader(name);
    }
    FrameShaderSet = set;
}

void Graphics::DrawFrame() {
    // The device's state is not tested: a frame is issued in any case.
    CheckDevice();
    if (Impl->Device == nullptr) {
        return;
    }
    FrameDrawer(*this, *Impl).Draw();
}

void Graphics::SetCamera(const Camera2d* camera) {
    if (camera == Impl->CurrentCamera) {
        return;
    }
    Impl->CurrentCamera = camera;
    if (camera == nullptr || Impl->Device == nullptr) {
        return;
    }
    GfxDevice& device = *Impl->Device;
    const std::shared_ptr<GfxTexture>& target = device.RenderTarget(0);
    device.SetViewport(CameraViewport(*camera, target->Width(), target->Height()));
    const CameraConstants constants = CameraConstants::From(*camera);
    device.SetVertexConstants(0, constants.RotScale, 2);
    device.SetVertexConstants(2, constants.Position, 1);
    Impl->Batches.SetFlip(constants.FlipX, constants.FlipY);
}

void Graphics::DrawFullscreenQuad(std::shared_ptr<GfxTexture> texture, Color color) {
    const Camera2d* previous = Impl->CurrentCamera;
    SetCamera(&Impl->FullscreenCamera);
    Impl->QuadTexture.DeviceTexture = std::move(texture);
    DrawLayerPass(Impl->FullscreenQuad.get(), DrawLayer::Ui, color, nullptr);
    Impl->QuadTexture.DeviceTexture.reset();
    SetCamera(previous);
}

void Graphics::DrawLayerPass(GameObject* root, DrawLayer mask, Color color, const Texture* override) {
    if (LayerPassObserver) {
        LayerPassObserver(mask);
    }
    ResetBatches();
    if (root != nullptr) {
        DrawLayerMask(root, mask, color, override, 0.0f, 0.0f);
    }
    FlushBatches();
}

void Graphics::UpdateBlurResources() {
    if (Impl->Device == nullptr) {
        return;
    }
    GraphicsImpl& impl = *Impl;
    // Device objects made afresh have no blur targets: targets and weights are rebuilt
    // then, whatever the settings were.
    const bool fresh = impl.BlurTargetA == nullptr || impl.BlurTargetB == nullptr;
    if (fresh || Settings->ShadowReduction != impl.LastShadowReduction) {
        impl.BlurTargetA.reset();
        impl.BlurTargetB.reset();
        const ShadowBlur::TargetSize size = ShadowBlur::TargetSizeFor(Width, Height, Settings->ShadowReduction);
        impl.BlurTargetA = impl.Device->CreateRenderTarget(size.Width, size.Height, GfxMips::One);
        impl.BlurTargetB = impl.Device->CreateRenderTarget(size.Width, size.Height, GfxMips::One);
        impl.BlurTexelSize[0] = 1.0f / static_cast<float>(size.Width);
        impl.BlurTexelSize[1] = 1.0f / static_cast<float>(size.Height);
        impl.LastShadowReduction = Settings->ShadowReduction;
    }
    if (fresh || Settings->ShadowRadius != impl.LastShadowRadius) {
        const auto weights = ShadowBlur::Weights(Settings->ShadowRadius);
        std::copy(weights.begin(), weights.end(), impl.BlurWeights);
        impl.LastShadowRadius = Settings->ShadowRadius;
    }
}
