// The editor in the running program: the application made with the program's editor
// hooks over the showcase content, F1 pressed through the message pump, and the main
// palette read back from the frame over the paused scene.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "ManualClock.h"
#include "ContentTestSupport.h"
#include "app/Application.h"
#include "app/EditorHooks.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/EditorLink.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxTexture.h"
#include "program/ComponentTable.h"
#include "program/EditorHooks.h"
#include "render/Graphics.h"
#include "render/RenderSettings.h"

namespace {

constexpr int Width = 1280;

class EditorOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        const std::filesystem::path& content = GeneratedContent();
        mDataHome = std::make_unique<ScopedDataHome>();
        InstallEditorHooks();
        mApp = std::make_unique<Application>(mClock);
        gGameConfig->DevelopmentContentPath = content.string();
        gTextureManager->ContentFolder = content / "Textures";
        gFontRegistry->ContentFolder = content / "Fonts";
        gInputManager->LoadKeyMappings(content / "Config" / "KeyMappings.json");
        gComponentTypeRegistrar = RegisterComponentTypes;
        mApp->LoadGame();
        // Straight into the first level, as the map hands over when a level starts.
        if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
            map->DetachAndDestroy();
        }
        gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
        mApp->PumpMessagesFn = [this] {
            gInputManager->KeysDown = mHeld;
            gInputManager->MousePosition = mMouse;
            return true;
        };
        mApp->StartLoop();
    }

    void TearDown() override {
        if (mApp != nullptr) {
            mApp->UnloadGame();
            mApp.reset();
        }
        EXPECT_EQ(gEditorState, nullptr) << "deleted with the application";
        EXPECT_EQ(gEditorFlags, nullptr);
        gEditorHooks = {};
        mDataHome.reset();
    }

    void RunPasses(int count) {
        for (int i = 0; i < count; ++i) {
            mClock.AdvanceSteps(1);
            ASSERT_TRUE(mApp->RunPass());
        }
    }

    // Pixels of the interface rectangle whose colour passes the test.
    static int Count(const std::vector<uint8_t>& pixels, Rect r, bool (*test)(const uint8_t* rgb)) {
        int count = 0;
        for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y + r.Height); ++y) {
            for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X + r.Width); ++x) {
                count += test(&pixels[(static_cast<size_t>(y) * Width + static_cast<size_t>(x)) * 4]) ? 1 : 0;
            }
        }
        return count;
    }

    ManualClock mClock;
    std::unique_ptr<ScopedDataHome> mDataHome;
    std::unique_ptr<Application> mApp;
    KeySet mHeld;
    Vector2 mMouse;
};

TEST_F(EditorOnScreenTest, F1ShowsTheMainPaletteOverThePausedScene) {
    ASSERT_NE(gEditorState, nullptr);
    ASSERT_NE(gEdRoot, nullptr);
    EXPECT_EQ(gEdRoot->Owner->Parent, gRootObject) << "beside the game, not inside it";
    RunPasses(3);
    EXPECT_EQ(gEditorState->IsEditing, 0);
    EXPECT_EQ(gEdRoot->PalettesRoot->DrawEnabled, 0);

    mHeld.set(static_cast<size_t>(KeyCode(Key::F1)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(2);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    ASSERT_NE(gGameplayScreen, nullptr);
    EXPECT_EQ(gGameplayScreen->Owner->UpdateEnabled, 0) << "the gameplay screen is paused";
    const float sceneTime = gGraphics->Settings->FirstPassTime;
    RunPasses(5);
    EXPECT_EQ(gGraphics->Settings->FirstPassTime, sceneTime) << "the scene is frozen";

    gGraphics->DrawFrame();
    const std::vector<uint8_t> pixels = ImplOf(*gGraphics).Device->BackBuffer()->ReadPixels();
    const EdPaletteBhv* palette = gEditorState->MainPalette->Palette;
    const Rect r = palette->GetRect();
    // The title bar is blue, the toggles light, the status row dark, all of it opaque
    // over the scene.
    const Rect title(r.X + 2, r.Y + 2, r.Width - 4, 18);
    const Rect toggles(r.X + 2, r.Y + 28, r.Width - 4, 20);
    const Rect status(r.X + 2, r.Y + 82, r.Width - 4, 16);
    const auto area = [](Rect a) { return static_cast<int>(a.Width * a.Height); };
    EXPECT_GT(Count(pixels, title, [](const uint8_t* c) { return c[2] > c[0] + 40 && c[2] > 110; }),
              area(title) * 3 / 4);
    EXPECT_GT(Count(pixels, toggles,
                    [](const uint8_t* c) {
                        return std::min({c[0], c[1], c[2]}) > 150;
                    }),
              area(toggles) / 2);
    EXPECT_GT(Count(pixels, status,
                    [](const uint8_t* c) {
                        return std::max({c[0], c[1], c[2]}) < 70;
                    }),
              area(status) / 2);
    // Its text is drawn: white pixels on the dark status row ("Lv: " and "Ob: ").
    EXPECT_GT(Count(pixels, status, [](const uint8_t* c) { return std::min({c[0], c[1], c[2]}) > 200; }), 20);
}

TEST_F(EditorOnScreenTest, ThePhysicsToggleSwitchesTheRenderersViewAndTheMouseIsReadInInterfacePixels) {
    mHeld.set(static_cast<size_t>(KeyCode(Key::F1)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(1);
    const EdToggleBhv* physics = gEditorState->MainPalette->ChkShowPhysics;
    ASSERT_NE(physics, nullptr);
    mMouse = Vector2(physics->Rect.X + 10.0f, physics->Rect.Y + 10.0f);
    RunPasses(1);
    mHeld.set(static_cast<size_t>(KeyCode(Key::LeftMouse)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(1);
    EXPECT_EQ(gGraphics->ShowPhysics, 1);
    EXPECT_EQ(gEditorState->MouseOverPalette, 1);

    // A back buffer twice the size: the same palette point lies at twice the pixels.
    gGraphics->Width *= 2;
    gGraphics->Height *= 2;
    gInputManager->MousePosition = Vector2(200.0f, 100.0f);
    const Vector2 mouse = EdInput::Mouse();
    gGraphics->Width /= 2;
    gGraphics->Height /= 2;
    EXPECT_NEAR(mouse.X, 100.0f, 0.01f);
    EXPECT_NEAR(mouse.Y, 50.0f, 0.01f);
}

}  // namespace
