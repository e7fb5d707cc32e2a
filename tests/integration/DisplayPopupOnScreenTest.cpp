// The display settings popup on a real window: the chosen mode is applied to the window
// at once, reverted with Esc and kept with Space.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "game/ui/UiDisplayPopupBhv.h"
#include "platform/window/Window.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"

namespace {

class TwoModes : public DisplayModeSource {
public:
    std::vector<VideoMode> ListModes() const override { return {{1280, 720, 60}, {1024, 576, 60}}; }
};

class DisplayPopupOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        UiDisplayPopupBhv::ModeSource = &Modes;
        Play = std::make_unique<PlayHarness>();
        Play->EnableDrawing();
        Play->StartGame();
        Play->RunPasses(66);  // the map's zoom
    }
    void TearDown() override { UiDisplayPopupBhv::ModeSource = nullptr; }

    void Press(Key key) {
        Play->Tap(key);
        Play->RunPasses(2);
    }
    static std::pair<int, int> WindowSize() {
        const Window* window = gGraphics->GameWindow();
        return {window->ClientWidth(), window->ClientHeight()};
    }

    TwoModes Modes;
    std::unique_ptr<PlayHarness> Play;
};

TEST_F(DisplayPopupOnScreenTest, TheWindowTakesTheChosenSizeAndComesBackOrKeepsIt) {
    ASSERT_EQ(WindowSize(), std::make_pair(1280, 720));
    Play->Mouse = Vector2(352.0f, 536.0f);  // the display icon
    Press(Key::LeftMouse);
    ASSERT_NE(Play->Find("UiDisplaySettingsPopup"), nullptr);

    Press(Key::Right);
    Press(Key::Space);
    EXPECT_EQ(WindowSize(), std::make_pair(1024, 576));
    Press(Key::Esc);
    EXPECT_EQ(WindowSize(), std::make_pair(1280, 720));

    Press(Key::Space);
    Press(Key::Space);
    EXPECT_EQ(Play->Find("UiDisplaySettingsPopup"), nullptr);
    EXPECT_EQ(WindowSize(), std::make_pair(1024, 576));
    std::ifstream file(DisplaySettings::GetPath());
    const std::string text(std::istreambuf_iterator<char>(file), {});
    EXPECT_NE(text.find("Width=1024"), std::string::npos) << text;
    EXPECT_NE(text.find("Fullscreen=false"), std::string::npos) << text;
}

}  // namespace
