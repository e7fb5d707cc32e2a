#include <SDL.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "IconFiles.h"
#include "app/RuntimeTypes.h"
#include "input/Clipboard.h"
#include "input/Cursors.h"
#include "input/MessagePump.h"
#include "platform/window/CursorImage.h"
#include "render/Graphics.h"
#include "render/GraphicsImpl.h"

namespace {

// Runs in a folder of its own, since cursors are looked up under "./Content/Cursors".
class WindowServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        InstallRuntimeTypes();
        mPreviousFolder = std::filesystem::current_path();
        std::filesystem::current_path(mFolder.Path());
        mGraphics = std::make_unique<Graphics>();
        // Smaller than any mode the display popup offers: set here, not in "Display.ini".
        mGraphics->Width = 160;
        mGraphics->Height = 120;
        gGraphics = mGraphics.get();
        mGraphics->Init();
    }

    void TearDown() override {
        gGraphics = nullptr;
        mGraphics.reset();
        if (!mPreviousFolder.empty()) {
            std::filesystem::current_path(mPreviousFolder);
        }
    }

    ScopedTempFolder mFolder;
    ScopedDataHome mDataHome;
    std::filesystem::path mPreviousFolder;
    std::unique_ptr<Graphics> mGraphics;
};

}  // namespace

TEST_F(WindowServicesTest, ClipboardTextRoundTripsAndReadsAtMost1024Characters) {
    Clipboard::SetText("spawn point 7");
    EXPECT_EQ(Clipboard::GetText(), "spawn point 7");
    const std::string longText(2000, 'x');
    Clipboard::SetText(longText);
    EXPECT_EQ(Clipboard::GetText(), longText.substr(0, 1024));
}

TEST_F(WindowServicesTest, CursorsAreLoadedOnceByNameAndMissingOnesAreRetriedWhenTheMouseMoves) {
    EXPECT_EQ(GetCursorPath("Aim"), std::filesystem::path("./Content/Cursors/Aim"));
    WriteTextFile(mFolder.Path() / "Content" / "Cursors" / "Aim.ico", MakeIconFile(16, 16));

    mGraphics->CursorName = "Aim";
    EXPECT_TRUE(PumpMessages());
    ASSERT_EQ(gCursorCache.count("Aim"), 1u);
    const CursorImage* loaded = gCursorCache["Aim"].get();
    EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(gCursorCache["Aim"].get(), loaded);

    // A missing file shows the arrow, is reported once and loads once it exists.
    mGraphics->CursorName = "Grab";
    ::testing::internal::CaptureStderr();
    PumpMessages();
    PumpMessages();
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
    EXPECT_EQ(gCursorCache.count("Grab"), 0u);
    EXPECT_NE(messages.find("Content/Cursors/Grab.ico"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("cannot load cursor"), messages.rfind("cannot load cursor")) << messages;
    // The file is not read again every pass, only once the mouse moves over the window.
    WriteTextFile(mFolder.Path() / "Content" / "Cursors" / "Grab.ico", MakeIconFile(32, 32));
    ApplyWindowCursor("Grab");
    EXPECT_EQ(gCursorCache.count("Grab"), 0u);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    HandleWindowEvent(motion);
    PumpMessages();
    EXPECT_EQ(gCursorCache.count("Grab"), 1u);
    EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());

    mGraphics->CursorName = "";
    PumpMessages();
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
    // The cache goes with the video system.
    mGraphics->Shutdown();
    EXPECT_TRUE(gCursorCache.empty());
}
