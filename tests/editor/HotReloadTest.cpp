#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "EditedLevelFixture.h"
#include "EditorTestSupport.h"
#include "PlayHarness.h"
#include "ToldWarnings.h"
#include "assets/TextureManager.h"
#include "audio/SoundManager.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/reload/EdHotReloadMonitorBhv.h"
#include "fx/AnimationManager.h"
#include "object/TempFolder.h"
#include "platform/gfx/GfxImage.h"
#include "tools/ContentBuild.h"
#include "tools/io/PngEncoder.h"
#include "tools/io/WavEncoder.h"

namespace {

namespace fs = std::filesystem;

// An opaque picture of the given size as PNG bytes.
std::string Png(int width, int height) {
    qv::tools::Image8 image(width, height);
    std::fill(image.Pixels.begin(), image.Pixels.end(), 255);
    const qv::tools::Bytes png = qv::tools::EncodePng(image);
    return std::string(png.begin(), png.end());
}

// The monitor from its prefab over a development content folder of the test's own with
// a sound, an animation and one lit texture source folder; the content build is a small
// script that logs each run.
class HotReloadTest : public EditorContentTest {
protected:
    HotReloadTest() {
        Content.Write("Textures/Sprites/Tst_Crate/Crate_0000.png", Png(12, 8));
        Content.Write("Textures/Sprites/Tst_Crate/Crate_0000_NRM.png", Png(12, 8));
        const qv::tools::Bytes wav = qv::tools::EncodeWav16(std::vector<float>(441, 0.5f), 1, 44100);
        Content.Write("Sounds/Main/Hit.wav", std::string(wav.begin(), wav.end()));
        Content.Write("Animations/Walk.anim", "Hero:Run01 6\n");
        LoadContent();
        Monitor = Build("EdHotReloadMonitor")->GetComponent<EdHotReloadMonitorBhv>();
        Monitor->ChangeTimeout = 1.0f;
        UseBuild("exit 0");
    }

    void UseBuild(const std::string& script) {
        Monitor->BuildCommand = {"/bin/sh", "-c", "echo run >> '" + Log().string() + "'; " + script};
    }
    ~HotReloadTest() override {
        gSoundManager = nullptr;
        gAnimationManager = nullptr;
        gTextureManager = nullptr;
    }

    fs::path Log() const { return Content.Path() / "builds.log"; }
    int LoggedBuilds() const {
        std::ifstream in(Log());
        int lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        return lines;
    }

    // A file written, then enough real time for the watcher's poll to see it.
    void Touch(const std::string& name) {
        Content.Write("Textures/Sprites/Tst_Crate/" + name, "new");
        AwaitWatchers();
    }
    static void AwaitWatchers() { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }
    void Passes(int count) {
        for (int i = 0; i < count; ++i) {
            Pass();
        }
    }
    // Passes until the build has ended, at most a few seconds of real time.
    void AwaitBuild() {
        for (int i = 0; i < 500 && Monitor->IsBuilding(); ++i) {
            Pass();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_FALSE(Monitor->IsBuilding());
    }

    EdHotReloadMonitorBhv* Monitor = nullptr;
};

TEST_F(HotReloadTest, QuickChangesToATextureFolderGiveOneBuildAfterTheTimeout) {
    ASSERT_NE(Monitor, nullptr);
    EXPECT_EQ(Monitor->WatcherCount(), 3u) << "sounds, animations, one texture folder";
    Touch("Crate_0000.png");
    Passes(30);
    Touch("Crate_0001.png");
    // A second after the last change, not the first.
    Passes(55);
    EXPECT_EQ(Monitor->BuildsStarted, 0);
    Passes(10);
    EXPECT_EQ(Monitor->BuildsStarted, 1);
    AwaitBuild();
    EXPECT_EQ(LoggedBuilds(), 1);
    EXPECT_EQ(Monitor->SheetsReloaded, 1);
    EXPECT_EQ(Monitor->LastBuildError, "");

    // Working files of the painting program are not content.
    Touch("Crate (src).png");
    Touch("notes.txt");
    Passes(120);
    EXPECT_EQ(Monitor->BuildsStarted, 1);
}

TEST_F(HotReloadTest, AFailedOrSlowBuildNeitherReloadsNorHoldsTheGame) {
    UseBuild("sleep 1; exit 3");
    Touch("Crate_0000.png");
    Passes(70);
    ASSERT_EQ(Monitor->BuildsStarted, 1);
    // The passes go on while the build runs.
    const auto start = std::chrono::steady_clock::now();
    Passes(5);
    EXPECT_TRUE(Monitor->IsBuilding());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    AwaitBuild();
    EXPECT_EQ(Monitor->SheetsReloaded, 0) << "the old textures stay";
    EXPECT_EQ(Monitor->LastBuildError, "exited with status 3");

    // A build tool that cannot be started is reported and nothing waits on it.
    Monitor->BuildCommand = {(Content.Path() / "no-such-tool").string()};
    Touch("Crate_0000.png");
    Passes(70);
    EXPECT_EQ(Monitor->BuildsStarted, 2);
    EXPECT_FALSE(Monitor->IsBuilding());
    EXPECT_NE(Monitor->LastBuildError.find("cannot start"), std::string::npos);
}

TEST_F(HotReloadTest, AChangedWavReloadsTheSoundBankAtOnce) {
    SoundManager sounds;
    gSoundManager = &sounds;
    sounds.LoadBank("Main");
    ASSERT_NE(sounds.FindSound("Hit"), nullptr);
    EXPECT_EQ(sounds.FindSound("Zap"), nullptr);
    fs::copy_file(Content.Path() / "Sounds/Main/Hit.wav", Content.Path() / "Sounds/Main/Zap.wav");
    AwaitWatchers();
    Pass();
    EXPECT_NE(sounds.FindSound("Zap"), nullptr);
    EXPECT_EQ(Monitor->BuildsStarted, 0) << "sounds need no content build";
}

TEST_F(HotReloadTest, AChangedAnimReloadsTheAnimationsAtOnce) {
    AnimationManager animations;
    gAnimationManager = &animations;
    animations.LoadAll();
    ASSERT_NE(animations.Find("Walk"), nullptr);
    EXPECT_EQ(animations.Find("Walk")->Frames.size(), 1u);
    Content.Write("Animations/Walk.anim", "Hero:Run01 6\n+1 6\nLoop\n");
    AwaitWatchers();
    Pass();
    ASSERT_NE(animations.Find("Walk"), nullptr);
    EXPECT_EQ(animations.Find("Walk")->Frames.size(), 2u);
    EXPECT_EQ(Monitor->BuildsStarted, 0);
}

// The warnings about the test's own files: the committed cue prefabs ask for sounds
// that the test's bank lacks.
int AboutTheFiles(const ToldWarnings& told) {
    return static_cast<int>(told.Lines.size() - told.Naming("Missing sound \""));
}

// A designer saves one damaged file while others change: the damaged file's animation
// or sound stays as it was loaded, named once; every other file's change is taken.
TEST_F(HotReloadTest, AReloadThatFailsForOneFileKeepsWhatItGaveAndTakesEveryOtherFile) {
    Content.Write("Animations/Run.anim", "Hero:Run01 6\n");
    AnimationManager animations;
    gAnimationManager = &animations;
    animations.LoadAll();
    SoundManager sounds;
    gSoundManager = &sounds;
    sounds.LoadBank("Main");
    ASSERT_NE(animations.Find("Walk"), nullptr);
    ASSERT_NE(animations.Find("Run"), nullptr);
    ASSERT_NE(sounds.FindSound("Hit"), nullptr);

    ToldWarnings told;
    Content.Write("Animations/Walk.anim", "Hero:Run01 fast\n");  // a duration that is no number
    Content.Write("Animations/Run.anim", "Hero:Run01 6\n+1 6\nLoop\n");
    Content.Write("Animations/Jump.anim", "Hero:Run01 2\n");
    Content.Write("Sounds/Main/Hit.wav", "RIFF, but no sound at all");
    fs::copy_file(Content.Path() / "Sounds/Main/Hit.wav", Content.Path() / "Sounds/Main/Notes.txt");
    const qv::tools::Bytes wav = qv::tools::EncodeWav16(std::vector<float>(441, 0.25f), 1, 44100);
    Content.Write("Sounds/Main/Zap.wav", std::string(wav.begin(), wav.end()));
    AwaitWatchers();
    Pass();

    ASSERT_NE(animations.Find("Walk"), nullptr) << "the last good Walk stays";
    EXPECT_EQ(animations.Find("Walk")->Frames.size(), 1u);
    ASSERT_NE(animations.Find("Run"), nullptr);
    EXPECT_EQ(animations.Find("Run")->Frames.size(), 2u);
    EXPECT_TRUE(animations.Find("Run")->Loop);
    EXPECT_NE(animations.Find("Jump"), nullptr);
    EXPECT_NE(sounds.FindSound("Hit"), nullptr) << "the last good Hit stays";
    EXPECT_NE(sounds.FindSound("Zap"), nullptr);
    EXPECT_EQ(told.Naming("Walk.anim"), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming("Hit.wav"), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(AboutTheFiles(told), 2) << ::testing::PrintToString(told.Lines);
    // Only the files that read well are told read clean.
    EXPECT_EQ(told.ReadCleanNamed("Run.anim"), 1u);
    EXPECT_EQ(told.ReadCleanNamed("Zap.wav"), 1u);
    EXPECT_EQ(told.ReadCleanNamed("Walk.anim"), 0u);
    EXPECT_EQ(told.ReadCleanNamed("Hit.wav"), 0u);

    // Mended, the files are taken again.
    Content.Write("Animations/Walk.anim", "Hero:Run01 6\n+1 6\n+1 6\n");
    Content.Write("Sounds/Main/Hit.wav", std::string(wav.begin(), wav.end()));
    AwaitWatchers();
    Pass();
    ASSERT_NE(animations.Find("Walk"), nullptr);
    EXPECT_EQ(animations.Find("Walk")->Frames.size(), 3u);
    EXPECT_NE(sounds.FindSound("Hit"), nullptr);
    EXPECT_EQ(AboutTheFiles(told), 2) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.ReadCleanNamed("Walk.anim"), 1u);
    EXPECT_EQ(told.ReadCleanNamed("Hit.wav"), 1u);
}

// Pixel size of a sheet from its header, as the renderer's loader reads it.
bool ReadSize(Texture& texture, const fs::path& sheet) {
    int width = 0, height = 0;
    std::string error;
    texture.Width = texture.Height = 0.0f;
    if (ReadImageHeaderSize(sheet, &width, &height, &error)) {
        texture.Width = static_cast<float>(width);
        texture.Height = static_cast<float>(height);
    }
    return texture.Width > 0.0f;
}

TEST_F(HotReloadTest, APictureDroppedIntoATextureSourceFolderIsPackedAndTheSheetReloads) {
    // The content build's packing of the source folders, without the generated art.
    const fs::path built = Content.Path() / "Built";
    qv::tools::WriteContent(built, {}, Content.Path());
    TextureManager textures(ReadSize);
    textures.ContentFolder = built / "Textures";
    gTextureManager = &textures;
    textures.LoadBank("Sprites");
    Texture* crate = textures.GetTexture("Tst_Crate");
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->GetFrameCount(), 1);

    // The build's script only waits; meanwhile the test packs as the content build would.
    UseBuild("sleep 0.5");
    Content.Write("Textures/Sprites/Tst_Crate/Crate_0001.png", Png(6, 4));
    AwaitWatchers();
    Passes(70);
    ASSERT_TRUE(Monitor->IsBuilding());
    qv::tools::WriteContent(built, {}, Content.Path());
    EXPECT_EQ(crate->GetFrameCount(), 1) << "read again only once the build has ended";
    AwaitBuild();
    EXPECT_EQ(Monitor->LastBuildError, "");
    const int added = crate->GetFrameIndex("Crate_0001");
    ASSERT_GE(added, 0);
    EXPECT_FLOAT_EQ(crate->FrameRects[added].Width * crate->Width, 6.0f);
    EXPECT_FLOAT_EQ(crate->FrameRects[added].Height * crate->Height, 4.0f);
    // The normal-specular companion the renderer reads beside the colour sheet.
    Texture normal;
    ASSERT_TRUE(ReadSize(normal, built / "Textures/Sprites/Tst_Crate_NRM.sheet"));
    EXPECT_EQ(std::make_pair(normal.Width, normal.Height), std::make_pair(crate->Width, crate->Height));

    // Its last layer removed, the folder packs unlit and the texture follows.
    fs::remove(Content.Path() / "Textures/Sprites/Tst_Crate/Crate_0000_NRM.png");
    AwaitWatchers();
    Passes(70);
    ASSERT_TRUE(Monitor->IsBuilding());
    qv::tools::WriteContent(built, {}, Content.Path());
    AwaitBuild();
    EXPECT_EQ(Monitor->LastBuildError, "");
    EXPECT_EQ(crate->AtlasPath.filename(), "Tst_Crate.xml");
    EXPECT_GE(crate->GetFrameIndex("Crate_0001"), 0);
}

TEST_F(HotReloadTest, NoDevelopmentFolderStartsNoWatcher) {
    Config.DevelopmentContentPath = (Content.Path() / "missing").string();
    GameObject* object = Build("EdHotReloadMonitor");
    EXPECT_EQ(object->GetComponent<EdHotReloadMonitorBhv>()->WatcherCount(), 0u);
    EXPECT_EQ(object->PendingDestroy, 1);
    EXPECT_TRUE(EdHotReloadMonitorBhv::IsReloadedFile("Hit.wav"));
    EXPECT_TRUE(EdHotReloadMonitorBhv::IsReloadedFile("Walk.anim"));
    EXPECT_FALSE(EdHotReloadMonitorBhv::IsReloadedFile("Hit (src).wav"));
}

// The program in edit mode, its monitor watching the development copy of the committed
// animations: what the main palette's notice row tells a designer who saves them.
class HotReloadNoticeTest : public EditedLevelFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartEditing());
        // As a drawn start reads them, after the textures (here none).
        gAnimationManager->LoadAll();
        ASSERT_NE(gAnimationManager->Find("AntWalk"), nullptr);
        mWalkFrames = gAnimationManager->Find("AntWalk")->Frames.size();
        ASSERT_GT(mWalkFrames, 1u);
    }

    // The file saved, then a pass once the watcher has seen it.
    void Save(const std::string& name, const std::string& bytes) {
        Play().Content->Write("Animations/" + name, bytes);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Play().RunPass();
    }

    static std::string Notice() { return gEditorState->MainPalette->GetNotice(); }

    size_t mWalkFrames = 0;
};

TEST_F(HotReloadNoticeTest, AnEmptyAnimationFileIsToldAndTheAnimationLoadedBeforeIsKept) {
    Save("AntWalk.anim", "");
    const std::string told = Notice();
    EXPECT_NE(told.find("Animations/AntWalk.anim: the file is empty"), std::string::npos) << told;
    EXPECT_NE(told.find("\"AntWalk\" loaded before is kept"), std::string::npos) << told;
    ASSERT_NE(gAnimationManager->Find("AntWalk"), nullptr);
    EXPECT_EQ(gAnimationManager->Find("AntWalk")->Frames.size(), mWalkFrames);

    // One with lines but no frame among them is told too.
    Save("AntWalk.anim", "// to be drawn\nLoop\n");
    EXPECT_NE(Notice().find("AntWalk.anim: no line of the file is a frame"), std::string::npos) << Notice();
    EXPECT_EQ(gAnimationManager->Find("AntWalk")->Frames.size(), mWalkFrames);
}

bool IsPrintableLines(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); });
}

TEST_F(HotReloadNoticeTest, ADamagedFileIsQuotedInPrintableCharactersAndCutShort) {
    // A terminal's clear-screen, a bell, bytes of no character and a long run of them.
    const std::string damage = "\x1b[2J\a\xff\xfe\x01" + std::string(5000, '\x02') + "\x80";
    ::testing::internal::CaptureStderr();
    Save("AntWalk.anim", "Sprites:Ant_0000 6\nSprites:Ant_0001 " + damage + "\n");
    const std::string standardError = ::testing::internal::GetCapturedStderr();
    const std::string told = Notice();
    EXPECT_NE(told.find("AntWalk.anim: line 2: the duration \"?[2J"), std::string::npos) << told;
    EXPECT_NE(told.find("...\" is not a whole number of steps"), std::string::npos) << told;
    EXPECT_TRUE(IsPrintableLines(told)) << told;
    EXPECT_LT(told.size(), 200u) << told;
    EXPECT_NE(standardError.find(told), std::string::npos) << standardError;
    EXPECT_TRUE(IsPrintableLines(standardError));
    EXPECT_EQ(gAnimationManager->Find("AntWalk")->Frames.size(), mWalkFrames) << "the last good one stays";
}

TEST_F(HotReloadNoticeTest, TheNoticeAboutAFileGoesOnceItReloadsClean) {
    const std::string damaged = "Sprites:Ant_0000 6\nSprites:Ant_0001 slow\nLoop\n";
    const std::string mended = "Sprites:Ant_0000 6\nSprites:Ant_0001 6\nLoop\n";
    Save("AntWalk.anim", damaged);
    EXPECT_NE(Notice().find("AntWalk.anim: line 2"), std::string::npos) << Notice();
    Save("AntWalk.anim", mended);
    EXPECT_EQ(Notice(), "") << "mended while editing";
    EXPECT_EQ(gAnimationManager->Find("AntWalk")->Frames.size(), 2u);

    // Damaged while editing, mended while playing: back in edit mode there is nothing
    // to tell.
    Save("AntWalk.anim", damaged);
    ASSERT_NE(Notice(), "");
    Press(Key::Tab);
    Press(Key::F11);
    ASSERT_EQ(gEditorState->IsEditing, 0);
    Save("AntWalk.anim", mended);
    Press(Key::F11);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    EXPECT_EQ(Notice(), "");

    // A clean reload takes back only what was told about its files.
    ShowEditorNotice("Saved Lvl_01");
    Save("AntWalk.anim", mended + "// again\n");
    EXPECT_EQ(Notice(), "Saved Lvl_01");
}

}  // namespace
