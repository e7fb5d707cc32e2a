#include <SDL.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "assets/Texture.h"
#include "assets/TextureLoader.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "platform/EmbeddedShaders.h"
#include "render/Graphics.h"

namespace {

// A renderer opened at 320 x 200.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        mGraphics = std::make_unique<Graphics>();
        // Smaller than any mode the display popup offers: set here, not in "Display.ini".
        mGraphics->Width = 320;
        mGraphics->Height = 200;
        gGraphics = mGraphics.get();
        mGraphics->Init();
    }

    void TearDown() override {
        gGraphics = nullptr;
        mGraphics.reset();
    }

    GfxDevice& Device() { return *ImplOf(*mGraphics).Device; }

    // Draws a quad in clip coordinates with the built-in test shaders into target 0.
    void DrawTestQuad(float left, float top, float right, float bottom, uint32_t argb) {
        GraphicsImpl& impl = ImplOf(*mGraphics);
        const GfxVertex vertices[4] = {
            {left, top, 0.5f, 1.0f, argb, 0, 0, 0, 0},
            {right, top, 0.5f, 1.0f, argb, 0, 0, 0, 0},
            {left, bottom, 0.5f, 1.0f, argb, 0, 0, 0, 0},
            {right, bottom, 0.5f, 1.0f, argb, 0, 0, 0, 0},
        };
        const uint16_t indices[6] = {0, 1, 2, 1, 3, 2};
        impl.VertexBuffer->Write(0, vertices, sizeof(vertices));
        impl.IndexBuffer->Write(0, indices, sizeof(indices));
        Device().SetVertexBuffer(impl.VertexBuffer.get());
        Device().SetIndexBuffer(impl.IndexBuffer.get());
        Device().SetVertexShader(&impl.Shader("TestColorVS"));
        Device().SetPixelShader(&impl.Shader("TestColorPS"));
        const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        Device().SetPixelConstants(0, white, 1);
        Device().SetBlendState(GfxBlendState{});
        Device().DrawIndexedTriangles(4, 2);
    }

    uint32_t BackBufferPixel(int x, int y) {
        const std::vector<uint8_t> pixels = Device().BackBuffer()->ReadPixels();
        const size_t i = (static_cast<size_t>(y) * Device().BackBuffer()->Width() + x) * 4;
        return (uint32_t{pixels[i]} << 24) | (uint32_t{pixels[i + 1]} << 16) | (uint32_t{pixels[i + 2]} << 8) |
               pixels[i + 3];
    }

    ScopedDataHome mDataHome;
    std::unique_ptr<Graphics> mGraphics;
};

// Textures kept by a test, as the texture banks keep theirs.
class TestTextureOwner : public TextureOwner {
public:
    void ForEachTexture(const std::function<void(Texture&)>& visit) override {
        for (Texture* texture : Textures) {
            visit(*texture);
        }
    }
    std::vector<Texture*> Textures;
};

constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | a;
}

}  // namespace

TEST_F(GraphicsTest, InitOpensTheTitledWindowAtTheConfiguredSize) {
    SDL_Window* window = ImplOf(*mGraphics).GameWindow->Handle();
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Quorvane");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(Device().BackBuffer()->Width(), 320);
    EXPECT_EQ(Device().BackBuffer()->Height(), 200);
}

TEST_F(GraphicsTest, DeviceObjectsHaveTheirSizes) {
    const GraphicsImpl& impl = ImplOf(*mGraphics);
    EXPECT_EQ(impl.VertexBuffer->SizeBytes(), 1048576u);
    EXPECT_EQ(impl.MaxQuads, 7281);
    EXPECT_EQ(impl.IndexBuffer->SizeBytes(), 87372u);
    for (const auto* target : {&impl.SceneColorTarget, &impl.SceneNormalTarget, &impl.SceneExtrasTarget}) {
        ASSERT_NE(*target, nullptr);
        EXPECT_EQ((*target)->Width(), 320);
        EXPECT_EQ((*target)->Height(), 200);
        EXPECT_TRUE((*target)->IsRenderTarget());
    }
    EXPECT_EQ(impl.FirstPassTarget->Width(), 128);
    EXPECT_EQ(impl.FirstPassTarget->MipLevels(), 8);
    EXPECT_EQ(impl.FirstPassTexture.Name, "Zintly1stPassTargetTex");
    EXPECT_EQ(impl.FirstPassTexture.DeviceTexture, impl.FirstPassTarget);
    EXPECT_EQ(impl.FirstPassTexture.Width, 128.0f);
}

TEST_F(GraphicsTest, EveryEmbeddedShaderIsBuiltAndTheTestPairDraws) {
    size_t embedded = 0;
    for (const EmbeddedShader* shader = gEmbeddedShaders; shader->Name != nullptr; ++shader) {
        ++embedded;
        EXPECT_EQ(ImplOf(*mGraphics).Shaders.count(shader->Name), 1u) << shader->Name;
    }
    EXPECT_EQ(ImplOf(*mGraphics).Shaders.size(), embedded);
    EXPECT_THROW(ImplOf(*mGraphics).Shader("NoSuchPS"), std::out_of_range);

    Device().SetRenderTarget(0, Device().BackBuffer());
    Device().Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    DrawTestQuad(-1.0f, 1.0f, 0.0f, 0.0f, PackArgb(255, 128, 0, 255));
    EXPECT_EQ(BackBufferPixel(10, 10), Rgba(255, 128, 0, 255));
    EXPECT_EQ(BackBufferPixel(300, 190), Rgba(0, 0, 0, 255));
    EXPECT_EQ(Device().TakeError(), 0u);
}

TEST_F(GraphicsTest, ColourImagesWithCompanionsCarryTheSpecularBlueInTheNormalMapAlpha) {
    ScopedTempFolder folder;
    const auto bank = folder.Path() / "Main";
    WritePng(bank / "Hero_COL.sheet", 4, 2, [](int x, int y) { return Rgba(200, 10 * x, 10 * y, 255); });
    WritePng(bank / "Hero_NRM.sheet", 4, 2, [](int x, int y) { return Rgba(128, 128 + x, 255 - y, 7); });
    WritePng(bank / "Hero_SPEC.sheet", 4, 2, [](int x, int y) { return Rgba(1, 2, 40 * x + y, 255); });

    Texture texture;
    ASSERT_TRUE(LoadTexture(mGraphics->TextureDevice(), &texture, bank / "Hero_COL.sheet"));
    EXPECT_EQ(texture.Width, 4.0f);
    EXPECT_EQ(texture.Height, 2.0f);
    ASSERT_NE(texture.DeviceTexture, nullptr);
    EXPECT_EQ(texture.DeviceTexture->MipLevels(), 3);
    const std::vector<uint8_t> color = texture.DeviceTexture->ReadPixels();
    EXPECT_EQ(color[(1 * 4 + 3) * 4 + 1], 30);  // G of (3, 1)

    ASSERT_NE(texture.NormalSpecularTexture, nullptr);
    const std::vector<uint8_t> normal = texture.NormalSpecularTexture->ReadPixels();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const size_t i = static_cast<size_t>(y * 4 + x) * 4;
            EXPECT_EQ(normal[i + 1], 128 + x);
            EXPECT_EQ(normal[i + 2], 255 - y);
            EXPECT_EQ(normal[i + 3], 40 * x + y) << "alpha at " << x << ", " << y;
        }
    }
}

TEST_F(GraphicsTest, CompanionsThatAreMissingOrOfAnotherSizeGiveNoNormalMap) {
    ScopedTempFolder folder;
    const auto opaque = [](int, int) { return Rgba(9, 9, 9, 255); };
    WritePng(folder.Path() / "Lone_COL.sheet", 4, 4, opaque);
    WritePng(folder.Path() / "Lone_NRM.sheet", 4, 4, opaque);  // no _SPEC
    WritePng(folder.Path() / "Odd_COL.sheet", 4, 4, opaque);
    WritePng(folder.Path() / "Odd_NRM.sheet", 4, 4, opaque);
    WritePng(folder.Path() / "Odd_SPEC.sheet", 2, 2, opaque);
    // "_COL" in a folder name or inside a stem does not make an image lit.
    WritePng(folder.Path() / "Set_COL" / "Plain.sheet", 4, 4, opaque);
    WritePng(folder.Path() / "Set_COL" / "Plain_NRM.sheet", 4, 4, opaque);
    WritePng(folder.Path() / "Set_COL" / "Plain_SPEC.sheet", 4, 4, opaque);

    for (const char* name : {"Lone_COL.sheet", "Odd_COL.sheet", "Set_COL/Plain.sheet"}) {
        Texture texture;
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(LoadTexture(mGraphics->TextureDevice(), &texture, folder.Path() / name)) << name;
        const std::string messages = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(texture.DeviceTexture, nullptr) << name;
        EXPECT_EQ(texture.NormalSpecularTexture, nullptr) << name;
        if (std::string(name) == "Odd_COL.sheet") {
            EXPECT_NE(messages.find("Odd_COL.sheet"), std::string::npos) << messages;
            EXPECT_NE(messages.find("2x2"), std::string::npos) << messages;
        }
    }
}

TEST_F(GraphicsTest, AnUnreadableImageLeavesTheTextureAsItWas) {
    ScopedTempFolder folder;
    WritePng(folder.Path() / "Good.sheet", 8, 4, [](int, int) { return Rgba(1, 2, 3, 4); });
    WriteTextFile(folder.Path() / "Broken.sheet", "this is not an image");
    Texture texture;
    ASSERT_TRUE(LoadTexture(mGraphics->TextureDevice(), &texture, folder.Path() / "Good.sheet"));
    const std::shared_ptr<GfxTexture> before = texture.DeviceTexture;

    for (const char* name : {"Broken.sheet", "Missing.sheet"}) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(LoadTexture(mGraphics->TextureDevice(), &texture, folder.Path() / name));
        const std::string message = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_EQ(texture.DeviceTexture, before);
        EXPECT_EQ(texture.Width, 8.0f);
        EXPECT_EQ(texture.Height, 4.0f);
    }
}

TEST_F(GraphicsTest, DisplayChangeReconfiguresTheWindowRebuildsTargetsAndReloadsTextures) {
    ScopedTempFolder folder;
    const auto image = folder.Path() / "Ground.sheet";
    WritePng(image, 4, 4, [](int, int) { return Rgba(10, 20, 30, 255); });
    Texture ground;
    ground.FilePath = image;
    ASSERT_TRUE(LoadTexture(mGraphics->TextureDevice(), &ground, image));
    TestTextureOwner owner;
    owner.Textures.push_back(&ground);
    mGraphics->AddTextureOwner(&owner);
    // The file changes on disk: the reload must read it again.
    WritePng(image, 8, 2, [](int, int) { return Rgba(10, 20, 30, 255); });
    const uint32_t windowId = ImplOf(*mGraphics).GameWindow->Id();

    mGraphics->Width = 400;
    mGraphics->Height = 240;
    ImplOf(*mGraphics).DisplayChangePending = 1;
    EXPECT_EQ(mGraphics->CheckDevice(), 0);

    EXPECT_EQ(ImplOf(*mGraphics).DisplayChangePending, 0);
    EXPECT_EQ(ImplOf(*mGraphics).GameWindow->Id(), windowId);
    EXPECT_EQ(ImplOf(*mGraphics).GameWindow->ClientWidth(), 400);
    EXPECT_EQ(ImplOf(*mGraphics).GameWindow->ClientHeight(), 240);
    EXPECT_EQ(Device().BackBuffer()->Width(), 400);
    EXPECT_EQ(ImplOf(*mGraphics).SceneNormalTarget->Height(), 240);
    EXPECT_EQ(ImplOf(*mGraphics).Viewport.Width, 400);
    EXPECT_EQ(ground.Width, 8.0f);
    EXPECT_EQ(ground.DeviceTexture->Height(), 2);
    // The change is not a request to quit, and the device still draws.
    EXPECT_TRUE(PumpMessages());
    Device().SetRenderTarget(0, Device().BackBuffer());
    Device().Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    DrawTestQuad(0.0f, 0.0f, 1.0f, -1.0f, PackArgb(0, 255, 0, 255));
    EXPECT_EQ(BackBufferPixel(399, 239), Rgba(0, 255, 0, 255));
    mGraphics->RemoveTextureOwner(&owner);
}

TEST_F(GraphicsTest, ReleasingDeviceObjectsDropsEveryOwnedTexture) {
    ScopedTempFolder folder;
    WritePng(folder.Path() / "A.sheet", 2, 2, [](int, int) { return Rgba(1, 1, 1, 1); });
    Texture texture;
    texture.FilePath = folder.Path() / "A.sheet";
    ASSERT_TRUE(LoadTexture(mGraphics->TextureDevice(), &texture, texture.FilePath));
    TestTextureOwner owner;
    owner.Textures.push_back(&texture);
    mGraphics->AddTextureOwner(&owner);

    mGraphics->ReleaseDeviceObjects();
    EXPECT_EQ(texture.DeviceTexture, nullptr);
    EXPECT_EQ(ImplOf(*mGraphics).SceneColorTarget, nullptr);
    mGraphics->CreateDeviceObjects();
    mGraphics->ReloadTextures();
    EXPECT_NE(texture.DeviceTexture, nullptr);
    mGraphics->RemoveTextureOwner(&owner);
}

TEST_F(GraphicsTest, CursorVisibilityAndClippingChangeOncePerState) {
    mGraphics->HideCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ImplOf(*mGraphics).CursorVisible, 0);
    mGraphics->HideCursor();
    EXPECT_EQ(ImplOf(*mGraphics).CursorVisible, 0);
    mGraphics->ShowCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_EQ(ImplOf(*mGraphics).CursorVisible, 1);

    mGraphics->ClipCursorToWindow();
    EXPECT_EQ(ImplOf(*mGraphics).CursorClipped, 1);
    // Asked for; the system applies it while the window has the focus.
    EXPECT_NE(SDL_GetWindowFlags(ImplOf(*mGraphics).GameWindow->Handle()) & SDL_WINDOW_MOUSE_GRABBED, 0u);
}

TEST_F(GraphicsTest, FullScreenAndBackKeepPresentingAndMouseInBackBufferPixels) {
    mGraphics->Fullscreen = 1;
    ImplOf(*mGraphics).DisplayChangePending = 1;
    mGraphics->CheckDevice();
    Window& window = *ImplOf(*mGraphics).GameWindow;
    EXPECT_TRUE(window.IsFullscreen());
    EXPECT_EQ(Device().BackBuffer()->Width(), 320);
    // The display may refuse the mode and give the whole desktop: the copy scales.
    Device().Present();

    InputManager input;
    gInputManager = &input;
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = window.ClientWidth() / 2;
    motion.motion.y = window.ClientHeight() / 4;
    HandleWindowEvent(motion);
    EXPECT_NEAR(input.MousePosition.X, 160.0f, 1.0f);
    EXPECT_NEAR(input.MousePosition.Y, 50.0f, 1.0f);
    gInputManager = nullptr;

    mGraphics->Fullscreen = 0;
    mGraphics->Width = 200;
    mGraphics->Height = 100;
    ImplOf(*mGraphics).DisplayChangePending = 1;
    mGraphics->CheckDevice();
    EXPECT_FALSE(window.IsFullscreen());
    EXPECT_EQ(window.ClientWidth(), 200);
    EXPECT_EQ(window.ClientHeight(), 100);
    EXPECT_EQ(Device().TakeError(), 0u);
}
