#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "assets/TextureHost.h"
#include "assets/TextureOwner.h"
#include "object/Color.h"
#include "object/DrawLayer.h"
#include "object/Rect.h"
#include "object/Vector2.h"
#include "render/Camera2d.h"
#include "render/RenderSettings.h"

class GameObject;
class GfxDevice;
class GfxTexture;
class Texture;
class Window;
struct GraphicsImpl;

// The renderer: the game window, the device and everything the frame draws with.
// One instance, gGraphics.
class Graphics : public TextureHost {
public:
    static constexpr const char* WindowTitle = "Quorvane";

    // Reads "Display.ini"; when it is absent or unusable, writes the defaults.
    Graphics();
    ~Graphics() override;

    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // Opens the window at Width x Height (full screen at 60 Hz when Fullscreen) and
    // creates the device and its objects. A size read from "Display.ini" that the display
    // popup does not offer is told and the default taken instead. Throws std::runtime_error when the system
    // offers no OpenGL 3.3 core context.
    void Init();
    // Releases the device objects and the device, and closes the window.
    void Shutdown();
    // Shaders, buffers and render targets; the size-dependent ones follow Width x Height.
    void CreateDeviceObjects();
    void ReleaseDeviceObjects();
    // Start of every frame: applies a pending display change (window reconfigured in
    // place, targets rebuilt, textures read again). Returns 0.
    int CheckDevice();
    // Asks the next CheckDevice to apply Width, Height and Fullscreen to the window.
    void RequestDisplayChange();
    // Reads every texture of every registered owner again from its file.
    void ReloadTextures();
    // One frame: shows the previous one, then draws every layer pass of the tree
    // (background, lit foreground with its shadow and lights, foreground, physics view,
    // interface, editor overlays). What it draws is shown by the next call.
    void DrawFrame();
    // Makes the camera current: viewport, camera constants and the quad flips. Nothing
    // when it already is.
    void SetCamera(const Camera2d* camera);
    // One screen-filling quad of the texture, tinted, with the shaders currently set,
    // into the current target.
    void DrawFullscreenQuad(std::shared_ptr<GfxTexture> texture, Color color);
    // Keeps the blur targets and weights in step with the shadow settings.
    void UpdateBlurResources();
    // A layer pass: the batches emptied, filled from the subtree (null draws nothing)
    // and flushed.
    void DrawLayerPass(GameObject* root, DrawLayer mask, Color color, const Texture* override);

    // Quad batching of a layer pass: empty the batches, fill them (DrawLayerMask,
    // AddQuad), flush them with one indexed draw per texture.
    void ResetBatches();
    // Appends a quad to the texture's batch: uv (u, v, width, height) in texture
    // coordinates; size and position in camera units; origin: offset of the quad's
    // centre from the position, in size units; rotation in radians.
    void AddQuad(const Rect& uv, const Texture* texture, float rotation, Color color, Vector2 size, Vector2 origin,
                 Vector2 position);
    void FlushBatches();
    // The quads of every sprite and text under root whose layer shares a bit with mask,
    // tinted by color; a non-null override replaces every sprite's texture.
    void DrawLayerMask(GameObject* root, DrawLayer mask, Color color, const Texture* override, float parentX,
                       float parentY);
    // Draws a line strip at once, outside the batches, with the texture on stage 0
    // sampled at the "1PixelWhite" frame of "Editor". At most 99 points; closed repeats
    // the first point at the end.
    void DrawDebugPrimitive(const Vector2* points, int count, Color color, bool closed);

    // The pointer over the window; each changes the system state once per change.
    void ShowCursor();
    void HideCursor();
    void ClipCursorToWindow();
    void ReleaseCursorClip();
    bool IsCursorClipped() const;
    // Puts the pointer at a point of the window's client area; nothing without a window.
    void WarpMouseInWindow(int x, int y);

    GfxDevice* TextureDevice() const override;
    void AddTextureOwner(TextureOwner* owner) override;
    void RemoveTextureOwner(TextureOwner* owner) override;

    // The game window between Init and Shutdown, else null.
    Window* GameWindow() const;

    int32_t Width = 1280;
    int32_t Height = 720;
    uint8_t Fullscreen = 0;
    uint8_t VSync = 0;     // wait for the display's refresh when presenting
    uint8_t HasFocus = 1;  // written by the message pump
    uint8_t ShowPhysics = 0;
    uint8_t ShowInterface = 1;  // the game's Ui and UiText layers; the editor's are always drawn
    Color ClearColor{0, 0, 0, 255};
    Camera2d WorldCamera = Camera2d::MakeWorld(1280, 720);  // world layers, y up
    Camera2d UiCamera = Camera2d::MakeInterface();          // interface and editor layers
    std::string CursorName;                                 // "" shows the arrow; else "Content/Cursors/<name>.ico"
    // Effect parameters, written by the screens.
    std::unique_ptr<RenderSettings> Settings = std::make_unique<RenderSettings>();
    // Draws the physics world's outlines when ShowPhysics is set; installed by the
    // physics layer, which draws through this renderer.
    static void (*DrawPhysicsView)();
    // Called at the start of every layer pass with its mask, for diagnostics.
    std::function<void(DrawLayer mask)> LayerPassObserver;
    // Frees what belongs to the video system (the cursors) before it stops; installed by
    // the input layer, which owns the cursors.
    static void (*ReleaseVideoResources)();

private:
    // The device side; tests reach it through their own seam.
    friend class GraphicsTestSeam;

    std::unique_ptr<GraphicsImpl> Impl;
    // The size was read from "Display.ini" and is yet to be checked against the modes
    // the display offers, which Init can list.
    bool mSizeFromFile = false;

    void ApplyDisplaySize();
    void ApplyDisplayChange();
    void CompileShaders();
    void ForEachOwnedTexture(const std::function<void(Texture&)>& visit);
};

extern Graphics* gGraphics;
