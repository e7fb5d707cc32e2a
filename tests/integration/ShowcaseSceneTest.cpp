// The engine showcase as the game starts it: the application's managers over the
// generated content, "GameplayRoot" built under the root and run by the main loop, its
// frames read back from the renderer.

#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "GraphicsTestSupport.h"
#include "ManualClock.h"
#include "ContentTestSupport.h"
#include "program/ComponentTable.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxTexture.h"
#include "fx/AnimationManager.h"
#include "app/Application.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueManagerBhv.h"
#include "assets/FontRegistry.h"
#include "render/Graphics.h"
#include "GraphicsTestSeam.h"
#include "input/InputManager.h"
#include "fx/Pcl_SimpleBhv.h"
#include "audio/SoundManager.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"

namespace {

namespace fs = std::filesystem;

// A rectangle of screen pixels, top left origin.
struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    int Area() const { return Width * Height; }
};

// One frame as the back buffer holds it, RGBA, top row first.
class Frame {
public:
    Frame(std::vector<uint8_t> pixels, int width) : mPixels(std::move(pixels)), mWidth(width) {}

    // The brightest channel of the pixel.
    int Level(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * mWidth + x) * 4;
        return std::max({mPixels[i], mPixels[i + 1], mPixels[i + 2]});
    }
    // The largest channel difference from the same pixel of another frame.
    int Difference(const Frame& other, int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * mWidth + x) * 4;
        int largest = 0;
        for (size_t c = 0; c < 3; ++c) {
            largest = std::max(largest, std::abs(mPixels[i + c] - other.mPixels[i + c]));
        }
        return largest;
    }

    // Pixels of the rectangle for which the test holds.
    int Count(const PixelRect& r, const std::function<bool(int x, int y)>& test) const {
        int count = 0;
        for (int y = std::max(r.Y, 0); y < r.Y + r.Height && y < Height(); ++y) {
            for (int x = std::max(r.X, 0); x < r.X + r.Width && x < mWidth; ++x) {
                count += test(x, y) ? 1 : 0;
            }
        }
        return count;
    }
    int CountLit(const PixelRect& r, int level) const {
        return Count(r, [&](int x, int y) { return Level(x, y) > level; });
    }
    int CountChanged(const Frame& other, const PixelRect& r, int threshold) const {
        return Count(r, [&](int x, int y) { return Difference(other, x, y) > threshold; });
    }

    int Height() const { return static_cast<int>(mPixels.size() / 4) / mWidth; }

private:
    std::vector<uint8_t> mPixels;
    int mWidth;
};

// Sample frames in a sound file; 0 when it cannot be read.
sf_count_t SoundFrames(const fs::path& file) {
    SF_INFO info{};
    SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info);
    if (sound == nullptr) {
        return 0;
    }
    sf_close(sound);
    return info.frames;
}

class ShowcaseSceneTest : public ::testing::Test {
protected:
    static constexpr int Width = 1280;
    static constexpr int Height = 720;
    // Pixels per world unit under the world camera (40 units across 1280 pixels).
    static constexpr float PixelsPerUnit = 32.0f;

    // The application's start-up, with the content folders pointed at the generated
    // content and a message pump that never quits.
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        const fs::path& content = GeneratedContent();
        mDataHome = std::make_unique<ScopedDataHome>();
        mApp = std::make_unique<Application>(mClock);
        gGameConfig->DevelopmentContentPath = content.string();
        gTextureManager->ContentFolder = content / "Textures";
        gFontRegistry->ContentFolder = content / "Fonts";
        gInputManager->LoadKeyMappings(content / "Config" / "KeyMappings.json");
        gComponentTypeRegistrar = RegisterComponentTypes;
        mApp->LoadGame();
        mApp->PumpMessagesFn = [] { return true; };
        mApp->StartLoop();
    }

    // The application's unloading.
    void TearDown() override {
        if (mApp == nullptr) {
            return;
        }
        mApp->UnloadGame();
        mApp.reset();
        mDataHome.reset();
    }

    // Main-loop passes, one fixed step each.
    void RunPasses(int count) {
        for (int i = 0; i < count; ++i) {
            mClock.AdvanceSteps(1);
            ASSERT_TRUE(mApp->RunPass());
        }
    }

    // A frame of the tree as it stands, without updating it.
    Frame DrawFrame() {
        gGraphics->DrawFrame();
        return Frame(ImplOf(*gGraphics).Device->BackBuffer()->ReadPixels(), Width);
    }

    static GameObject* Child(GameObject* parent, const std::string& name) {
        GameObject* child = parent->FindChild(name);
        EXPECT_NE(child, nullptr) << "no object " << name << " under " << parent->Name;
        return child;
    }

    // The screen pixels of a world-layer sprite's quad, ignoring rotation.
    static PixelRect ScreenRectOf(const GameObject& object) {
        const Rect bounds = object.Sprite->GetBounds();
        return PixelRect{static_cast<int>(bounds.X * PixelsPerUnit + Width / 2.0f),
                         static_cast<int>(Height / 2.0f - (bounds.Y + bounds.Height) * PixelsPerUnit),
                         static_cast<int>(bounds.Width * PixelsPerUnit),
                         static_cast<int>(bounds.Height * PixelsPerUnit)};
    }

    // The interface pixels of a text's block, as its last draw laid it out.
    static PixelRect ScreenRectOfText(const GameObject& object) {
        const Vector2 pos = object.GetPos();
        const Rect r = object.Text->LastRect;
        return PixelRect{static_cast<int>(pos.X + r.X), static_cast<int>(pos.Y + r.Y), static_cast<int>(r.Width),
                         static_cast<int>(r.Height)};
    }

    // Every object of the subtree, depth first.
    static void Walk(GameObject* object, const std::function<void(GameObject&)>& visit) {
        visit(*object);
        for (GameObject* child : object->Children) {
            Walk(child, visit);
        }
    }

    ManualClock mClock;
    std::unique_ptr<ScopedDataHome> mDataHome;
    std::unique_ptr<Application> mApp;
};

TEST_F(ShowcaseSceneTest, EverySpriteShowsAFrameOfItsArtAndEveryTextHasItsFont) {
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
    EXPECT_GE(sprites, 10);
    EXPECT_GE(texts, 2);
}

TEST_F(ShowcaseSceneTest, TheAntWalksThroughItsFourFramesAndTheExitSparkles) {
    GameObject* ant = Child(gGameplayRoot, "WalkingAnt");
    GameObject* exit = Child(gGameplayRoot, "Exit");
    ASSERT_TRUE(ant != nullptr && exit != nullptr);
    std::set<int> shown;
    size_t mostSparks = 0;
    for (int pass = 0; pass < 90; ++pass) {
        RunPasses(1);
        shown.insert(ant->Sprite->FrameIndex);
        const size_t sparks = std::count_if(exit->Children.begin(), exit->Children.end(), [](GameObject* child) {
            return child->GetComponent<Pcl_SimpleBhv>() != nullptr;
        });
        mostSparks = std::max(mostSparks, sparks);
    }
    const Texture* sprites = gTextureManager->GetTexture("Sprites");
    ASSERT_NE(sprites, nullptr);
    std::set<int> walk;
    for (const char* frame : {"Ant_0000", "Ant_0001", "Ant_0002", "Ant_0003"}) {
        walk.insert(sprites->GetFrameIndex(frame));
    }
    EXPECT_EQ(shown, walk);
    EXPECT_GE(mostSparks, 10u);
    // Each spark dies: after a second and a half at most 1.6 s worth are alive.
    EXPECT_LE(mostSparks, 60u);
}

// The looping cue plays on past the end of its sound, an octave down.
TEST_F(ShowcaseSceneTest, TheAmbienceCueLoopsItsSound) {
    RunPasses(1);
    ASSERT_NE(gCueManager, nullptr) << "the showcase holds the cue manager";
    gCueManager->PlayCue("ShowcaseAmbience");
    GameObject* cue = gCueManager->Owner->FindChild("Cue_ShowcaseAmbience");
    ASSERT_NE(cue, nullptr);
    const CueLoopedBhv* looped = cue->GetComponent<CueLoopedBhv>();
    ASSERT_NE(looped, nullptr);
    ASSERT_TRUE(looped->IsStarted()) << "its sound was not found";
    const float frequency = looped->Channel().Frequency();
    EXPECT_NEAR(frequency, 44100.0f / 2.0f, 1.0f);

    const fs::path file = GeneratedContent() / "Sounds" / "Main" / "Unlock.wav";
    const sf_count_t frames = SoundFrames(file);
    ASSERT_GT(frames, 0) << file;
    const auto once = std::chrono::duration<double>(static_cast<double>(frames) / frequency);
    const auto end = std::chrono::steady_clock::now() + once + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < end) {
        gSoundManager->Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(looped->Channel().IsPlaying());
}

// The background effect, a lit sprite, the additive glow and the texts each put
// pixels on screen: a frame with the object compared with one without it.
TEST_F(ShowcaseSceneTest, BackgroundLitSpriteGlowAndTextsReachTheScreen) {
    RunPasses(30);
    // Written by the gameplay screen every pass once it exists.
    RenderSettings& settings = *gGraphics->Settings;
    settings.BackgroundTexture = "Background1";
    settings.FirstPassTime = 0.5f;
    settings.SecondPassTime = 0.5f;

    GameObject* background = Child(gGameplayRoot, "Background");
    GameObject* player = Child(gGameplayRoot, "Player");
    ASSERT_TRUE(background != nullptr && player != nullptr);
    // The player's ready prompt is its additive halo.
    GameObject* glow = Child(player, "ReadyPrompt");
    ASSERT_NE(glow, nullptr);

    {
        SCOPED_TRACE("background");
        const PixelRect corner{0, 0, 96, 64};
        const Frame with = DrawFrame();
        background->DrawEnabled = 0;
        const Frame without = DrawFrame();
        background->DrawEnabled = 1;
        EXPECT_GT(with.CountLit(corner, 8), corner.Area() * 9 / 10);
        EXPECT_EQ(without.CountLit(corner, 8), 0) << "only the background reaches the corner";
    }
    {
        // With no background only light shows: an unlit sprite would stay black.
        SCOPED_TRACE("lit player");
        settings.BackgroundTexture = "";
        glow->DrawEnabled = 0;
        const PixelRect rect = ScreenRectOf(*player);
        const Frame with = DrawFrame();
        player->DrawEnabled = 0;
        const Frame without = DrawFrame();
        player->DrawEnabled = 1;
        // The picture fills only its trimmed part of the quad.
        const Rect& trim = player->Sprite->TrimRect;
        const float pictureArea = static_cast<float>(rect.Area()) * trim.Width * trim.Height;
        EXPECT_GT(with.CountLit(rect, 60), static_cast<int>(pictureArea / 4.0f));
        EXPECT_LT(without.CountLit(rect, 60), rect.Area() / 100);
        glow->DrawEnabled = 1;
        settings.BackgroundTexture = "Background1";
    }
    {
        SCOPED_TRACE("additive glow");
        const PixelRect rect = ScreenRectOf(*glow);
        const Frame with = DrawFrame();
        glow->DrawEnabled = 0;
        const Frame without = DrawFrame();
        glow->DrawEnabled = 1;
        EXPECT_GT(with.CountChanged(without, rect, 12), rect.Area() / 4);
    }
    for (const char* name : {"Title", "Subtitle"}) {
        SCOPED_TRACE(name);
        GameObject* text = Child(gGameplayRoot, name);
        ASSERT_NE(text, nullptr);
        const Frame with = DrawFrame();
        const PixelRect rect = ScreenRectOfText(*text);
        ASSERT_GT(rect.Area(), 0);
        text->DrawEnabled = 0;
        const Frame without = DrawFrame();
        text->DrawEnabled = 1;
        EXPECT_GT(with.CountChanged(without, rect, 60), rect.Area() / 10);
    }
}

}  // namespace
