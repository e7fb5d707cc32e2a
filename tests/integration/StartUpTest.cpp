// The game as it starts: the application's start-up over the generated content with a
// window, "GameplayRoot" with its gameplay screen, the first level on screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "assets/Texture.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1280;
// Pixels per world unit under the world camera (40 units across 1280 pixels).
constexpr float kPixelsPerUnit = 32.0f;

struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// Pixels of the rectangle whose brightest channel differs by more than threshold.
int CountChanged(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, const PixelRect& r, int threshold) {
    int count = 0;
    for (int y = r.Y; y < r.Y + r.Height; ++y) {
        for (int x = r.X; x < r.X + r.Width; ++x) {
            const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4;
            int largest = 0;
            for (size_t c = 0; c < 3; ++c) {
                largest = std::max(largest, std::abs(a[i + c] - b[i + c]));
            }
            count += largest > threshold ? 1 : 0;
        }
    }
    return count;
}

PixelRect ScreenRectOf(const GameObject& object) {
    const Rect bounds = object.Sprite->GetBounds();
    return PixelRect{static_cast<int>(bounds.X * kPixelsPerUnit + kWidth / 2.0f),
                     static_cast<int>(720 / 2.0f - (bounds.Y + bounds.Height) * kPixelsPerUnit),
                     static_cast<int>(bounds.Width * kPixelsPerUnit), static_cast<int>(bounds.Height * kPixelsPerUnit)};
}

void Walk(GameObject* object, const std::function<void(GameObject&)>& visit) {
    visit(*object);
    for (GameObject* child : object->Children) {
        Walk(child, visit);
    }
}

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        Play = std::make_unique<PlayHarness>();
        Play->EnableDrawing();
        Play->StartInLevel();
        Play->RunPass();
    }

    std::unique_ptr<PlayHarness> Play;
};

TEST_F(StartUpTest, TheFirstLevelIsBuiltAndEverySpriteShowsAFrameOfItsArt) {
    ASSERT_NE(gGameplayScreen, nullptr);
    ASSERT_NE(gPlayer, nullptr);
    EXPECT_EQ(gPlayer->Owner->Parent, Play->Find("GameplayScreen/Level/Layer2Mut"));
    int sprites = 0;
    int texts = 0;
    Walk(gGameplayRoot, [&](GameObject& object) {
        SCOPED_TRACE(object.Name);
        if (object.Sprite != nullptr) {
            ++sprites;
            const Texture* texture = object.Sprite->Texture;
            ASSERT_NE(texture, nullptr) << "texture name unknown";
            // An atlas shown whole means a frame name that the atlas lacks.
            if (texture->GetFrameCount() > 0) {
                EXPECT_GE(object.Sprite->FrameIndex, 0) << "no frame of " << texture->Name;
            }
        }
        if (object.Text != nullptr) {
            ++texts;
            EXPECT_NE(object.Text->Font, nullptr) << "font name unknown";
        }
    });
    EXPECT_GE(sprites, 60);
    EXPECT_GE(texts, 2) << "the pick-ups' shot counts";
}

TEST_F(StartUpTest, BackgroundAndTheLitPlayerReachTheScreenAndTheFadeCoversIt) {
    GameObject* player = gPlayer->Owner;
    GameObject* prompt = player->FindChild("ReadyPrompt");
    ASSERT_NE(prompt, nullptr);
    prompt->DrawEnabled = 0;
    const PixelRect rect = ScreenRectOf(*player);
    const std::vector<uint8_t> with = Play->DrawFrame();
    player->DrawEnabled = 0;
    const std::vector<uint8_t> without = Play->DrawFrame();
    player->DrawEnabled = 1;
    EXPECT_GT(CountChanged(with, without, rect, 40), rect.Width * rect.Height / 10) << "the player is lit";

    const PixelRect screen{0, 0, kWidth, 720};
    gGraphics->Settings->BackgroundTexture = "";
    const std::vector<uint8_t> noBackground = Play->DrawFrame();
    gGraphics->Settings->BackgroundTexture = "Background1";
    EXPECT_GT(CountChanged(with, noBackground, screen, 8), kWidth * 720 / 4);

    // The fade layer at its darkest hides the whole level; the HUD's and the title
    // card's texts stay above it, so they are put away for this frame.
    GameObject* fade = Play->Find("GameplayScreen/FadeLayer");
    ASSERT_NE(fade, nullptr);
    for (const char* interface : {"GameplayScreen/Hud", "GameplayScreen/UiLevelTitle"}) {
        if (GameObject* object = Play->Find(interface)) {
            object->DrawEnabled = 0;
        }
    }
    fade->DrawEnabled = 1;
    fade->Tint->Tint = Color{0, 0, 0, 255};
    const std::vector<uint8_t> black = Play->DrawFrame();
    EXPECT_EQ(CountChanged(black, std::vector<uint8_t>(black.size(), 0), screen, 2), 0);

    fade->DrawEnabled = 0;
    const fs::path file = fs::temp_directory_path() / "qv_startup_frame.bmp";
    Play->SaveScreenshot(file);
    EXPECT_GT(fs::file_size(file), static_cast<uintmax_t>(kWidth) * 720 * 3);
    fs::remove(file);
}

}  // namespace
