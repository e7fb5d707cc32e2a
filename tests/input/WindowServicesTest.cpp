#include <SDL.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "app/RuntimeTypes.h"
#include "input/Clipboard.h"
#include "input/Cursors.h"
#include "input/MessagePump.h"
#include "platform/window/CursorImage.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"
#include "render/GraphicsImpl.h"

namespace {

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes && i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A 32-bit icon file of size x size opaque pixels, as cursor files are stored.
std::string MakeIcon(int size) {
    std::string image;
    PutLittleEndian(image, 40, 4);        // header size
    PutLittleEndian(image, size, 4);      // width
    PutLittleEndian(image, size * 2, 4);  // height: colour and mask
    PutLittleEndian(image, 1, 2);         // planes
    PutLittleEndian(image, 32, 2);        // bits per pixel
    image.append(4 * 6, '\0');            // no compression, sizes and palette left out
    for (int i = 0; i < size * size; ++i) {
        PutLittleEndian(image, 0xFF2080E0u, 4);  // BGRA
    }
    const int maskRowBytes = ((size + 31) / 32) * 4;
    image.append(static_cast<size_t>(maskRowBytes * size), '\0');

    std::string file;
    PutLittleEndian(file, 0, 2);  // reserved
    PutLittleEndian(file, 1, 2);  // icon
    PutLittleEndian(file, 1, 2);  // one image
    file.push_back(static_cast<char>(size));
    file.push_back(static_cast<char>(size));
    PutLittleEndian(file, 0, 2);   // no palette, reserved
    PutLittleEndian(file, 1, 2);   // planes
    PutLittleEndian(file, 32, 2);  // bits per pixel
    PutLittleEndian(file, static_cast<uint32_t>(image.size()), 4);
    PutLittleEndian(file, 22, 4);  // offset of the image
    return file + image;
}

// Runs in a folder of its own, since cursors are looked up under "./Content/Cursors".
class WindowServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        InstallRuntimeTypes();
        mPreviousFolder = std::filesystem::current_path();
        std::filesystem::current_path(mFolder.Path());
        WriteTextFile(DisplaySettings::GetPath(), "Width=160\nHeight=120\nFullscreen=false\n");
        mGraphics = std::make_unique<Graphics>();
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
    WriteTextFile(mFolder.Path() / "Content" / "Cursors" / "Aim.ico", MakeIcon(16));

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
    WriteTextFile(mFolder.Path() / "Content" / "Cursors" / "Grab.ico", MakeIcon(32));
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
