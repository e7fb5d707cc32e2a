#include "render/Graphics.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "assets/TextureLoader.h"
#include "assets/TextureManager.h"
#include "object/ContentError.h"
#include "platform/DebugPrint.h"
#include "platform/EmbeddedShaders.h"
#include "platform/window/CursorImage.h"
#include "render/DebugLines.h"
#include "render/DeviceQuadTarget.h"
#include "render/DisplaySettings.h"
#include "render/DrawLayerWalk.h"
#include "render/GraphicsImpl.h"
#include "render/SpriteCmp.h"

Graphics* gGraphics = nullptr;
void (*Graphics::DrawPhysicsView)() = nullptr;
void (*Graphics::ReleaseVideoResources)() = nullptr;

namespace {

void Report(const std::string& text) {
    DebugPrint((text + "\n").c_str());
}

// Shader sources are named by stage: "...VS" vertex, "...PS" pixel, either perhaps
// followed by a variant number ("BackgroundPS1").
bool StageOfShader(const std::string& name, GfxShaderStage* stage) {
    const std::string base = name.substr(0, name.find_last_not_of("0123456789") + 1);
    if (base.ends_with("VS")) {
        *stage = GfxShaderStage::Vertex;
        return true;
    }
    if (base.ends_with("PS")) {
        *stage = GfxShaderStage::Pixel;
        return true;
    }
    return false;
}

// The object every full-screen quad draws: one sprite on the interface layer showing
// the holder texture whole. The walk finds sprites through the shortcut, which is set
// here whether or not the runtime's shortcut types are installed.
std::unique_ptr<GameObject> MakeFullscreenQuad(Texture* holder) {
    auto quad = std::make_unique<GameObject>();
    auto* sprite = new SpriteCmp();
    sprite->Layer = DrawLayer::Ui;
    sprite->Texture = holder;
    quad->AddComponent(sprite);
    quad->Sprite = sprite;
    return quad;
}

// Normal straight up, no specular. The sampler blends its transparent border into the
// outer half texel: at this size that stays within a sprite's outermost 1/128.
std::shared_ptr<GfxTexture> CreateFlatNormalMap(GfxDevice& device) {
    constexpr int kSize = 64;
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = 128;
        pixels[i + 1] = 128;
        pixels[i + 2] = 255;
        pixels[i + 3] = 0;
    }
    return device.CreateTexture(kSize, kSize, pixels.data(), GfxMips::One);
}

}  // namespace

const GfxShader& GraphicsImpl::Shader(const std::string& name) const {
    const auto found = Shaders.find(name);
    if (found == Shaders.end()) {
        throw std::out_of_range("No shader named '" + name + "' is built into the program");
    }
    return *found->second;
}

Graphics::Graphics() : Impl(std::make_unique<GraphicsImpl>()) {
    std::string problem;
    // A user data folder that cannot be written must not keep the game from starting.
    mSizeFromFile = DisplaySettings::Load(*this);
    if (!mSizeFromFile && !DisplaySettings::Save(*this, &problem)) {
        DebugPrint((problem + "; the game runs with these settings until it ends\n").c_str());
    }
}

Graphics::~Graphics() {
    Shutdown();
}

void Graphics::Init() {
    Impl->Video = std::make_unique<SdlVideo>();
    const SystemDisplayModes modes;
    // A size the game sets itself is one the popup offered; the file's may be anything.
    if (std::exchange(mSizeFromFile, false)) {
        DisplaySettings::KeepToOfferedModes(*this, modes);
    }
    DisplaySettings::ClampToDisplay(*this, modes);
    ApplyDisplaySize();
    Impl->GameWindow = std::make_unique<Window>(WindowDesc{WindowTitle, Width, Height, Fullscreen != 0, 60});
    Impl->Device = std::make_unique<GfxDevice>(*Impl->GameWindow, Width, Height);
    Impl->Device->SetVSync(VSync != 0);
    CreateDeviceObjects();
}

// What follows the window's size: the viewport and the full-screen quad's texture size.
void Graphics::ApplyDisplaySize() {
    Impl->Viewport = {0, 0, Width, Height, 0.0f, 1.0f};
    WorldCamera = Camera2d::MakeWorld(Width, Height);
    UiCamera = Camera2d::MakeInterface();
    Impl->QuadTexture.Width = static_cast<float>(Width);
    Impl->QuadTexture.Height = static_cast<float>(Height);
    const Vector2 screen(static_cast<float>(Width), static_cast<float>(Height));
    Impl->FullscreenCamera.Scale = screen;
    if (Impl->FullscreenQuad == nullptr) {
        Impl->FullscreenQuad = MakeFullscreenQuad(&Impl->QuadTexture);
    }
    Impl->FullscreenQuad->Sprite->Size = screen;
}

void Graphics::Shutdown() {
    ReleaseDeviceObjects();
    Impl->Device.reset();
    Impl->GameWindow.reset();
    // Cursors belong to the video system: they go before it stops.
    if (ReleaseVideoResources != nullptr) {
        ReleaseVideoResources();
    }
    Impl->Video.reset();
    Impl->CursorClipped = 0;
    Impl->FullscreenQuad.reset();
}

void Graphics::CreateDeviceObjects() {
    GfxDevice& device = *Impl->Device;
    CompileShaders();
    Impl->VertexBuffer = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, GraphicsImpl::VertexBufferBytes);
    Impl->MaxQuads = static_cast<int32_t>(GraphicsImpl::VertexBufferBytes / (4 * sizeof(GfxVertex)));
    Impl->IndexBuffer =
        std::make_unique<GfxBuffer>(GfxBufferKind::Index16, static_cast<size_t>(Impl->MaxQuads) * 6 * sizeof(uint16_t));
    DeviceQuadTarget::FillIndexBuffer(*Impl->IndexBuffer);

    Impl->SceneColorTarget = device.CreateRenderTarget(Width, Height, GfxMips::One);
    Impl->SceneNormalTarget = device.CreateRenderTarget(Width, Height, GfxMips::One);
    Impl->SceneExtrasTarget = device.CreateRenderTarget(Width, Height, GfxMips::One);
    const int firstPass = GraphicsImpl::FirstPassSize;
    Impl->FirstPassTarget = device.CreateRenderTarget(firstPass, firstPass, GfxMips::Full);
    Impl->FirstPassTexture.DeviceTexture = Impl->FirstPassTarget;
    Impl->FirstPassTexture.Name = GraphicsImpl::FirstPassTextureName;
    Impl->FirstPassTexture.Width = static_cast<float>(firstPass);
    Impl->FirstPassTexture.Height = static_cast<float>(firstPass);

    Impl->FlatNormalMap = CreateFlatNormalMap(device);
    // The next frame rebuilds the blur targets and weights and uploads its camera.
    Impl->CurrentCamera = nullptr;
    Impl->LastShadowRadius = 0.0f;
    Impl->LastShadowReduction = 0.0f;
    Impl->BlurTargetA.reset();
    Impl->BlurTargetB.reset();
}

void Graphics::CompileShaders() {
    for (const EmbeddedShader* shader = gEmbeddedShaders; shader->Name != nullptr; ++shader) {
        GfxShaderStage stage;
        if (!StageOfShader(shader->Name, &stage)) {
            Report(std::string("shaders/") + shader->Name + ".glsl: the name ends in neither VS nor PS; not built");
            continue;
        }
        Impl->Shaders[shader->Name] = std::make_unique<GfxShader>(stage, shader->Name, shader->Source);
    }
    Impl->ResolveFrameShaders();
}

void Graphics::ReleaseDeviceObjects() {
    ForEachOwnedTexture([](Texture& texture) {
        texture.DeviceTexture.reset();
        texture.NormalSpecularTexture.reset();
    });
    if (Impl->Device != nullptr) {
        Impl->Device->UnbindAll();
        Impl->Device->ForgetPrograms();
    }
    Impl->FrameShaderSet = FrameShaders();
    Impl->Shaders.clear();
    Impl->VertexBuffer.reset();
    Impl->IndexBuffer.reset();
    Impl->SceneColorTarget.reset();
    Impl->SceneNormalTarget.reset();
    Impl->SceneExtrasTarget.reset();
    Impl->FirstPassTarget.reset();
    Impl->FirstPassTexture.DeviceTexture.reset();
    Impl->QuadTexture.DeviceTexture.reset();
    Impl->BlurTargetA.reset();
    Impl->BlurTargetB.reset();
    Impl->FlatNormalMap.reset();
}

int Graphics::CheckDevice() {
    if (Impl->DisplayChangePending != 0) {
        if (Impl->GameWindow != nullptr) {
            ApplyDisplayChange();
        }
        Impl->DisplayChangePending = 0;
    }
    return 0;
}

void Graphics::RequestDisplayChange() {
    Impl->DisplayChangePending = 1;
}

// The window is reconfigured in place rather than destroyed: closing the game's only
// window would read as the player quitting. The context survives with it.
void Graphics::ApplyDisplayChange() {
    ReleaseDeviceObjects();
    Impl->GameWindow->Reconfigure(WindowDesc{WindowTitle, Width, Height, Fullscreen != 0, 60});
    if (Impl->CursorClipped != 0) {
        Impl->GameWindow->ConfineMouse(true);
    }
    Impl->Device->ResizeBackBuffer(Width, Height);
    ApplyDisplaySize();
    CreateDeviceObjects();
    ReloadTextures();
}

void Graphics::ReloadTextures() {
    ForEachOwnedTexture([this](Texture& texture) {
        if (!texture.FilePath.empty()) {
            LoadTexture(Impl->Device.get(), &texture, texture.FilePath);
        }
    });
}

void Graphics::ShowCursor() {
    if (Impl->CursorVisible == 0) {
        CursorImage::SetPointerVisible(true);
        Impl->CursorVisible = 1;
    }
}

void Graphics::HideCursor() {
    if (Impl->CursorVisible != 0) {
        CursorImage::SetPointerVisible(false);
        Impl->CursorVisible = 0;
    }
}

void Graphics::ClipCursorToWindow() {
    if (Impl->GameWindow != nullptr) {
        Impl->GameWindow->ConfineMouse(true);
    }
    Impl->CursorClipped = 1;
}

GfxDevice* Graphics::TextureDevice() const {
    return Impl->Device.get();
}

Window* Graphics::GameWindow() const {
    return Impl->GameWindow.get();
}

void Graphics::ReleaseCursorClip() {
    if (Impl->CursorClipped != 0) {
        if (Impl->GameWindow != nullptr) {
            Impl->GameWindow->ConfineMouse(false);
        }
        Impl->CursorClipped = 0;
    }
}

bool Graphics::IsCursorClipped() const {
    return Impl->CursorClipped != 0;
}

void Graphics::WarpMouseInWindow(int x, int y) {
    if (Impl->GameWindow != nullptr) {
        SDL_WarpMouseInWindow(Impl->GameWindow->Handle(), x, y);
    }
}

void Graphics::AddTextureOwner(TextureOwner* owner) {
    Impl->TextureOwners.push_back(owner);
}

void Graphics::RemoveTextureOwner(TextureOwner* owner) {
    auto& owners = Impl->TextureOwners;
    owners.erase(std::remove(owners.begin(), owners.end(), owner), owners.end());
}

void Graphics::ForEachOwnedTexture(const std::function<void(Texture&)>& visit) {
    for (TextureOwner* owner : Impl->TextureOwners) {
        owner->ForEachTexture(visit);
    }
}

void Graphics::ResetBatches() {
    Impl->Batches.Reset();
}

void Graphics::AddQuad(const Rect& uv, const Texture* texture, float rotation, Color color, Vector2 size,
                       Vector2 origin, Vector2 position) {
    Impl->Batches.AddQuad(uv, texture, rotation, color, size, origin, position);
}

void Graphics::FlushBatches() {
    if (Impl->Device == nullptr || Impl->VertexBuffer == nullptr || Impl->IndexBuffer == nullptr) {
        return;
    }
    DeviceQuadTarget target(*Impl->Device, *Impl->VertexBuffer, *Impl->IndexBuffer, Impl->MaxQuads,
                            Impl->FlatNormalMap);
    Impl->Batches.Flush(target);
}

void Graphics::DrawLayerMask(GameObject* root, DrawLayer mask, Color color, const Texture* override, float parentX,
                             float parentY) {
    DrawLayerWalk(Impl->Batches, mask, override).Walk(root, color, Vector2(parentX, parentY));
}

void Graphics::DrawDebugPrimitive(const Vector2* points, int count, Color color, bool closed) {
    if (Impl->Device == nullptr) {
        return;
    }
    Vertex vertices[DebugLines::MaxVertices];
    const Vector2 texel = Impl->DebugLinesTexel.Get(
        gTextureManager, DebugLines::TextureName,
        [](const TextureManager* textures, auto) { return DebugLines::FindWhiteTexel(textures); });
    const int vertexCount = DebugLines::BuildStrip(points, count, color, closed, texel, vertices);
    Impl->Device->DrawLineStrip(vertices, vertexCount);
}
