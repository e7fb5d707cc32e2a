// The CPU cost of Graphics::DrawFrame for a busy scene: 5,000 sprites over the world
// layers and 200 lines of interface text, drawn at 1280 x 720 with the game's content.
//
// Run from the repository root (the content is read from "Content") under an X display,
// e.g. xvfb-run -a build/<dir>/bench/bench_DrawFrameBench.
//
// BM_DrawFrame reports the main thread's CPU time inside DrawFrame; the GPU driver's
// rasterising, which DrawFrame only queues, is waited for afterwards with glFinish and
// reported apart as FinishMs. BM_LayerWalks is the frame's tree walks and quad building
// alone, with no device call at all.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/Application.h"
#include "app/RuntimeTypes.h"
#include "assets/BitmapFont.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

constexpr int kSpriteCount = 5000;
constexpr int kTextLines = 200;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The renderer with the "Main" textures and fonts and a scene under the globals the
// frame walks. Built once for all benchmarks.
class Scene {
public:
    // Lives until the process ends: closing the video system would unload the driver
    // libraries, and the leak checker could no longer tell their leftovers from ours.
    static Scene& Get() {
        static Scene* scene = new Scene();
        return *scene;
    }

    Graphics& Renderer() { return *mGraphics; }

private:
    Scene() {
        if (std::getenv("DISPLAY") == nullptr) {
            throw std::runtime_error("the frame benchmark needs an X display: run it under xvfb-run -a");
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        // Display.ini goes to a folder of the benchmark's own, not the player's.
        const std::filesystem::path dataHome = std::filesystem::temp_directory_path() / "qv_bench_frame";
        std::filesystem::create_directories(dataHome);
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);

        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
        mGraphics = std::make_unique<Graphics>();
        mGraphics->Width = 1280;
        mGraphics->Height = 720;
        mGraphics->Fullscreen = 0;
        mGraphics->Init();
        gGraphics = mGraphics.get();
        mTextures = std::make_unique<TextureManager>(mGraphics.get());
        gTextureManager = mTextures.get();
        mTextures->LoadBank("Main");
        mFonts = std::make_unique<FontRegistry>(mGraphics.get());
        mFonts->LoadGroup("Main");

        mRoot = std::make_unique<GameObject>();
        gRootObject = mRoot.get();
        gGameplayRoot = new GameObject();
        mRoot->AddChild(gGameplayRoot);
        mGraphics->Settings->BackgroundTexture = "Background1";
        AddSprites();
        AddText();
    }

    // A level's worth of sprites spread over the world layers and two textures, in
    // groups of 100 like a level's object groups.
    void AddSprites() {
        Texture* sprites = mTextures->GetTexture("Sprites");
        Texture* lights = mTextures->GetTexture("Lights");
        if (sprites == nullptr || lights == nullptr) {
            throw std::runtime_error("Content/Textures/Main lacks the Sprites or Lights texture");
        }
        const DrawLayer layers[] = {DrawLayer::ForegroundLit, DrawLayer::ForegroundLit, DrawLayer::Foreground,
                                    DrawLayer::ForegroundAdd, DrawLayer::SpriteLights};
        GameObject* group = nullptr;
        for (int i = 0; i < kSpriteCount; ++i) {
            if (i % 100 == 0) {
                group = new GameObject();
                gGameplayRoot->AddChild(group);
            }
            const DrawLayer layer = layers[i % 5];
            Texture* texture = layer == DrawLayer::SpriteLights ? lights : sprites;
            auto* object = new GameObject();
            group->AddChild(object);
            auto* place = new Pos2dCmp();
            place->Pos = Vector2(static_cast<float>(i % 80) * 0.5f - 20.0f, static_cast<float>(i / 80) * 0.35f - 11.0f);
            place->Rotation = static_cast<float>(i) * 0.1f;
            object->AddComponent(place);
            auto* sprite = new SpriteCmp();
            sprite->SetTexture(texture);
            sprite->SetFrame(i % std::max(1, texture->GetFrameCount()));
            sprite->Layer = layer;
            object->AddComponent(sprite);
        }
    }

    // Interface text: 200 lines of about 40 characters.
    void AddText() {
        BitmapFont* font = mFonts->Find("Small");
        if (font == nullptr) {
            throw std::runtime_error("Content/Fonts/Main lacks the font Small");
        }
        for (int line = 0; line < kTextLines; ++line) {
            auto* object = new GameObject();
            mRoot->AddChild(object);
            auto* place = new Pos2dCmp();
            place->Pos =
                Vector2(20.0f + static_cast<float>(line % 4) * 320.0f, 10.0f + static_cast<float>(line / 4) * 14.0f);
            object->AddComponent(place);
            auto* text = new TextCmp();
            text->Font = font;
            text->Text = "Line " + std::to_string(line) + ": the quick brown fox jumps";
            text->FontSize = 12.0f;
            text->Layer = DrawLayer::UiText;
            object->AddComponent(text);
        }
    }

    std::unique_ptr<Graphics> mGraphics;
    std::unique_ptr<TextureManager> mTextures;
    std::unique_ptr<FontRegistry> mFonts;
    std::unique_ptr<GameObject> mRoot;
};

void BM_DrawFrame(benchmark::State& state) {
    Graphics& graphics = Scene::Get().Renderer();
    // The first frames compile the shader pairs: leave them out.
    for (int i = 0; i < 3; ++i) {
        graphics.DrawFrame();
        glFinish();
    }
    double finishSeconds = 0.0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        graphics.DrawFrame();
        state.SetIterationTime(ThreadCpuSeconds() - start);
        const auto finishStart = std::chrono::steady_clock::now();
        glFinish();
        finishSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - finishStart).count();
    }
    state.counters["FinishMs"] = benchmark::Counter(finishSeconds * 1000.0 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_DrawFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// The layer passes' walks of the frame without flushing: the engine's own work.
void BM_LayerWalks(benchmark::State& state) {
    Graphics& graphics = Scene::Get().Renderer();
    const DrawLayer worldLayers[] = {DrawLayer::ForegroundLit, DrawLayer::SpriteLights, DrawLayer::ForegroundAdd,
                                     DrawLayer::Foreground, DrawLayer::EditorSelection};
    const DrawLayer interfaceLayers[] = {DrawLayer::Ui,         DrawLayer::UiText,  DrawLayer::Editor,
                                         DrawLayer::EditorText, DrawLayer::Editor2, DrawLayer::EditorText2};
    const Color white{255, 255, 255, 255};
    for (auto _ : state) {
        graphics.SetCamera(&graphics.WorldCamera);
        graphics.ResetBatches();
        graphics.DrawLayerMask(gGameplayRoot, DrawLayer::Background, white, nullptr, 0.0f, 0.0f);
        for (DrawLayer layer : worldLayers) {
            graphics.ResetBatches();
            graphics.DrawLayerMask(gRootObject, layer, white, nullptr, 0.0f, 0.0f);
        }
        graphics.SetCamera(&graphics.UiCamera);
        for (DrawLayer layer : interfaceLayers) {
            graphics.ResetBatches();
            graphics.DrawLayerMask(gRootObject, layer, white, nullptr, 0.0f, 0.0f);
        }
    }
}
BENCHMARK(BM_LayerWalks)->Unit(benchmark::kMillisecond);

}  // namespace
