#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/Texture.h"
#include "assets/TextureCatalogCache.h"
#include "object/GameObject.h"
#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxShader.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GfxVertex.h"
#include "platform/window/SdlVideo.h"
#include "platform/window/Window.h"
#include "render/Camera2d.h"
#include "render/QuadBatcher.h"

class TextureOwner;

// The shaders the frame draws with, looked up by name once after they are compiled, so
// that a frame sets them without a search.
struct FrameShaders {
    const GfxShader* BackgroundVS = nullptr;
    const GfxShader* BackgroundFirstPassPS = nullptr;
    const GfxShader* BackgroundPS0 = nullptr;
    const GfxShader* BackgroundPS1 = nullptr;
    const GfxShader* SpriteVS = nullptr;
    const GfxShader* SpritePS = nullptr;
    const GfxShader* LitSpritePS = nullptr;
    const GfxShader* BlurFirstPS = nullptr;
    const GfxShader* BlurSecondPS = nullptr;
    const GfxShader* ExtrasCompositePS = nullptr;
    const GfxShader* LightVS = nullptr;
    const GfxShader* LightPS = nullptr;
};

// The renderer's device side, owned by Graphics. Window and device exist between Init
// and Shutdown; shaders, buffers and targets between CreateDeviceObjects and
// ReleaseDeviceObjects.
struct GraphicsImpl {
    static constexpr size_t VertexBufferBytes = 1048576;
    static constexpr int FirstPassSize = 128;
    static constexpr const char* FirstPassTextureName = "Zintly1stPassTargetTex";

    // The shader of that name; throws std::out_of_range naming it when absent.
    const GfxShader& Shader(const std::string& name) const;
    // Fills FrameShaderSet from Shaders; throws std::out_of_range naming a missing one.
    void ResolveFrameShaders();

    std::unique_ptr<SdlVideo> Video;
    std::unique_ptr<Window> GameWindow;
    std::unique_ptr<GfxDevice> Device;
    std::map<std::string, std::unique_ptr<GfxShader>> Shaders;  // every embedded shader, by name
    FrameShaders FrameShaderSet;                                // pointers into Shaders; all null while it is empty
    std::unique_ptr<GfxBuffer> VertexBuffer;
    std::unique_ptr<GfxBuffer> IndexBuffer;
    std::shared_ptr<GfxTexture> SceneColorTarget;  // screen-sized
    std::shared_ptr<GfxTexture> SceneNormalTarget;
    std::shared_ptr<GfxTexture> SceneExtrasTarget;
    std::shared_ptr<GfxTexture> FirstPassTarget;  // 128 x 128, full mip chain
    std::shared_ptr<GfxTexture> BlurTargetA;      // made by the frame as the shadow settings ask
    std::shared_ptr<GfxTexture> BlurTargetB;
    Texture FirstPassTexture;  // the first-pass target as a texture sprites can draw with
    Texture QuadTexture;       // holds the colour texture of each full-screen quad
    float BlurTexelSize[2] = {0.0f, 0.0f};
    GfxViewport Viewport;
    int32_t MaxQuads = static_cast<int32_t>(VertexBufferBytes / (4 * sizeof(GfxVertex)));
    // The layer pass's quads, with the depth of the next quad and the camera's flips.
    QuadBatcher Batches;
    // Full-screen quads: a camera whose view is the screen in pixels and an object with
    // one screen-sized sprite that shows QuadTexture.
    Camera2d FullscreenCamera;
    std::unique_ptr<GameObject> FullscreenQuad;
    const Camera2d* CurrentCamera = nullptr;  // last given to SetCamera
    // Stage 1 of a batch whose texture has no normal map: normal straight up, no specular.
    std::shared_ptr<GfxTexture> FlatNormalMap;
    uint8_t CursorVisible = 1;
    uint8_t CursorClipped = 0;
    float LastShadowRadius = 0.0f;
    float LastShadowReduction = 0.0f;
    float BlurWeights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // Set: the shadow blurs and composites run even when the lit pass drew nothing, so
    // that tests can compare a frame drawn both ways.
    uint8_t AlwaysCompositeLit = 0;
    // Set by the display settings popup after it has written Width, Height, Fullscreen.
    uint8_t DisplayChangePending = 0;
    std::vector<TextureOwner*> TextureOwners;
    // Lookups by name that every frame repeats.
    TextureCatalogCache<const Texture*> BackgroundTexture;
    TextureCatalogCache<const Texture*> DebugLinesTexture;
    TextureCatalogCache<Vector2> DebugLinesTexel;
};
