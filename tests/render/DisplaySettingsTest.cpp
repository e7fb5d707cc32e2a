#include <memory>
#include <string>
#include <vector>

#include "GraphicsTestSupport.h"
#include "platform/window/Window.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"

namespace {

const char* const kDefaultsFile = "Width=1280\nHeight=720\nFullscreen=false\n";

class DisplaySettingsTest : public ::testing::Test {
protected:
    // Constructs the renderer (which reads or writes the file) and returns what it
    // printed on standard error.
    std::string ConstructGraphics() {
        ::testing::internal::CaptureStderr();
        mGraphics = std::make_unique<Graphics>();
        return ::testing::internal::GetCapturedStderr();
    }

    void ExpectDefaults() const {
        EXPECT_EQ(mGraphics->Width, 1280);
        EXPECT_EQ(mGraphics->Height, 720);
        EXPECT_EQ(mGraphics->Fullscreen, 0);
    }

    ScopedDataHome mDataHome;
    std::unique_ptr<Graphics> mGraphics;
};

class ListedModes : public DisplayModeSource {
public:
    explicit ListedModes(std::vector<VideoMode> modes) : mModes(std::move(modes)) {}
    std::vector<VideoMode> ListModes() const override { return mModes; }

private:
    std::vector<VideoMode> mModes;
};

}  // namespace

TEST_F(DisplaySettingsTest, AnAbsentFileGetsTheDefaultsWrittenIntoANewFolder) {
    ASSERT_FALSE(std::filesystem::exists(DisplaySettings::GetPath().parent_path()));
    EXPECT_EQ(ConstructGraphics(), "");
    ExpectDefaults();
    EXPECT_EQ(DisplaySettings::GetPath().filename(), "Display.ini");
    EXPECT_EQ(ReadTextFile(DisplaySettings::GetPath()), kDefaultsFile);
}

TEST_F(DisplaySettingsTest, AWrittenFileIsReadBack) {
    WriteTextFile(DisplaySettings::GetPath(), "Width=1920\nHeight=1080\nFullscreen=1\n");
    EXPECT_EQ(ConstructGraphics(), "");
    EXPECT_EQ(mGraphics->Width, 1920);
    EXPECT_EQ(mGraphics->Height, 1080);
    EXPECT_EQ(mGraphics->Fullscreen, 1);

    mGraphics->Width = 1600;
    mGraphics->Height = 900;
    mGraphics->Fullscreen = 0;
    DisplaySettings::Save(*mGraphics);
    EXPECT_EQ(ReadTextFile(DisplaySettings::GetPath()), "Width=1600\nHeight=900\nFullscreen=false\n");
    Graphics again;
    EXPECT_TRUE(DisplaySettings::Load(again));
    EXPECT_EQ(again.Width, 1600);
    EXPECT_EQ(again.Fullscreen, 0);
}

TEST_F(DisplaySettingsTest, UnusableFilesFallBackToTheDefaultsAndAreRewritten) {
    const char* const unusable[] = {
        "[[[ not ini",
        "Width=1920\nFullscreen=true\n",             // no Height
        "Width=0\nHeight=1080\nFullscreen=false\n",  // no size
        "Width=1920\nHeight=-5\nFullscreen=false\n",
        "Width=wide\nHeight=1080\nFullscreen=false\n",
        "Width=1920\nHeight=1080\nFullscreen=maybe\n",
    };
    for (const char* text : unusable) {
        WriteTextFile(DisplaySettings::GetPath(), text);
        const std::string message = ConstructGraphics();
        ExpectDefaults();
        EXPECT_NE(message.find(DisplaySettings::GetPath().string()), std::string::npos) << text << message;
        EXPECT_EQ(ReadTextFile(DisplaySettings::GetPath()), kDefaultsFile) << text;
    }
}

// The file is written beside itself and then put in place, so a save that cannot finish
// keeps the settings there were.
TEST_F(DisplaySettingsTest, ASaveThatCannotFinishKeepsThePreviousFile) {
    ConstructGraphics();
    const std::filesystem::path path = DisplaySettings::GetPath();
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    EXPECT_FALSE(std::filesystem::exists(temporary));

    // A folder with something in it at the temporary file's name cannot be removed.
    std::filesystem::create_directories(temporary / "occupied");
    mGraphics->Width = 1920;
    std::string problem;
    EXPECT_FALSE(DisplaySettings::Save(*mGraphics, &problem)) << "the settings were reported written";
    EXPECT_NE(problem.find("Display.ini"), std::string::npos) << problem;
    EXPECT_EQ(ReadTextFile(path), kDefaultsFile);

    std::filesystem::remove_all(temporary);
    EXPECT_TRUE(DisplaySettings::Save(*mGraphics));
    EXPECT_EQ(ReadTextFile(path), "Width=1920\nHeight=720\nFullscreen=false\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(DisplaySettingsTest, AnUnwritableFolderIsReportedByNameAndTheDefaultsAreUsed) {
    // The data home is a file, so no folder can be made inside it.
    WriteTextFile(mDataHome.Folder() / "blocker", "");
    setenv("XDG_DATA_HOME", (mDataHome.Folder() / "blocker").c_str(), 1);
    const std::string message = ConstructGraphics();
    ExpectDefaults();
    EXPECT_NE(message.find(DisplaySettings::GetPath().string() + ": cannot write the display settings"),
              std::string::npos)
        << message;
    std::string problem;
    EXPECT_FALSE(DisplaySettings::Save(*mGraphics, &problem));
    EXPECT_NE(problem.find("Display.ini"), std::string::npos) << problem;
}

TEST(DisplayModesTest, OnlySixtyHertzModesOfAWideShapeAreOffered) {
    const ListedModes source({
        {1920, 1080, 60},
        {1440, 900, 60},  // wide desktop band
        {1024, 768, 60},  // 4:3
        {1280, 720, 59},
        {1280, 720, 60},
        {640, 400, 60},
        {600, 400, 60},    // narrower than 640
        {2560, 1080, 60},  // wider than 2:1
        {1280, 720, 60},   // duplicates stay
        {1280, 0, 60},
    });
    std::vector<DisplayMode> offered;
    offered.push_back({1, 1, false});  // appended after what is there
    EnumerateDisplayModes(source, offered);
    ASSERT_EQ(offered.size(), 5u);
    const int expected[][2] = {{1, 1}, {1920, 1080}, {1280, 720}, {640, 400}, {1280, 720}};
    for (size_t i = 0; i < offered.size(); ++i) {
        EXPECT_EQ(offered[i].Width, expected[i][0]) << i;
        EXPECT_EQ(offered[i].Height, expected[i][1]) << i;
        EXPECT_EQ(offered[i].Fullscreen, i != 0) << i;
    }
}

TEST_F(DisplaySettingsTest, AWindowLargerThanTheDisplayBecomesItsLargestModeWithAWarning) {
    WriteTextFile(DisplaySettings::GetPath(), "Width=8000\nHeight=600\nFullscreen=false\n");
    EXPECT_EQ(ConstructGraphics(), "");
    const ListedModes display({{1280, 720, 60}, {1920, 1080, 60}, {1600, 1200, 60}, {1920, 1080, 75}});
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(DisplaySettings::ClampToDisplay(*mGraphics, display));
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(mGraphics->Width, 1920);
    EXPECT_EQ(mGraphics->Height, 1080);  // the largest by area
    EXPECT_NE(told.find(DisplaySettings::GetPath().string() + ": the window 8000x600 is larger"), std::string::npos)
        << told;
    // The player's file is not rewritten.
    EXPECT_EQ(ReadTextFile(DisplaySettings::GetPath()), "Width=8000\nHeight=600\nFullscreen=false\n");

    // A size the display can show stays; a display listing no modes gets the defaults.
    mGraphics->Width = 1600;
    mGraphics->Height = 900;
    EXPECT_FALSE(DisplaySettings::ClampToDisplay(*mGraphics, display));
    EXPECT_EQ(mGraphics->Width, 1600);
    mGraphics->Width = 1300;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(DisplaySettings::ClampToDisplay(*mGraphics, ListedModes({})));
    ::testing::internal::GetCapturedStderr();
    ExpectDefaults();
}

// A size the display popup does not offer is none the player chose: a 1x1 window leaves
// no way to the popup, and a window larger than the display would not be made. The
// file's size gives way to the default, however the display was asked for.
TEST_F(DisplaySettingsTest, ASizeThePopupDoesNotOfferIsToldAndTheDefaultOpened) {
    const ListedModes display({{1920, 1080, 60}, {1600, 900, 60}, {1024, 768, 60}, {1366, 768, 60}});
    const auto kept = [&](int width, int height) {
        mGraphics->Width = width;
        mGraphics->Height = height;
        ::testing::internal::CaptureStderr();
        const bool changed = DisplaySettings::KeepToOfferedModes(*mGraphics, display);
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(told.empty(), !changed) << told;
        return !changed && mGraphics->Width == width && mGraphics->Height == height;
    };
    EXPECT_EQ(ConstructGraphics(), "");
    EXPECT_TRUE(kept(1920, 1080));
    EXPECT_TRUE(kept(1366, 768));
    EXPECT_TRUE(kept(1280, 720)) << "the default, though the display does not offer it";
    EXPECT_FALSE(kept(1600, 900)) << "in the band the popup leaves out";
    ExpectDefaults();
    EXPECT_FALSE(kept(1024, 768)) << "narrower than 3:2";
    EXPECT_FALSE(kept(1, 1));
    ExpectDefaults();

    QV_REQUIRE_DISPLAY();
    struct StoredSize {
        const char* File;
        const char* Size;
        bool Fullscreen;
    };
    for (const auto& [file, size, fullscreen] : {
             StoredSize{"Width=30000\nHeight=20000\nFullscreen=false\n", "30000x20000", false},
             StoredSize{"Width=1\nHeight=1\nFullscreen=false\n", "1x1", false},
             StoredSize{"Width=1000\nHeight=10\nFullscreen=true\n", "1000x10", true},
         }) {
        SCOPED_TRACE(file);
        WriteTextFile(DisplaySettings::GetPath(), file);
        EXPECT_EQ(ConstructGraphics(), "");
        ::testing::internal::CaptureStderr();
        EXPECT_NO_THROW(mGraphics->Init());
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(DisplaySettings::GetPath().string() + ": the size " + size +
                            " is not one the display popup offers; using 1280x720"),
                  std::string::npos)
            << told;
        EXPECT_EQ(mGraphics->Width, 1280);
        EXPECT_EQ(mGraphics->Height, 720);
        EXPECT_EQ(mGraphics->Fullscreen, fullscreen ? 1 : 0);
        ASSERT_NE(mGraphics->GameWindow(), nullptr);
        if (!fullscreen) {
            EXPECT_EQ(mGraphics->GameWindow()->ClientWidth(), 1280);
            EXPECT_EQ(mGraphics->GameWindow()->ClientHeight(), 720);
        }
        // The player's file is not rewritten.
        EXPECT_EQ(ReadTextFile(DisplaySettings::GetPath()), file);
        mGraphics.reset();
    }
}
