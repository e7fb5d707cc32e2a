// The map's option icons from the committed prefabs, run by the main loop: the music
// and sound switches, the display settings popup, and the debug display.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ContentTestSupport.h"
#include "GraphicsTestSupport.h"
#include "PlayFixture.h"
#include "app/Application.h"
#include "audio/CueManagerBhv.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"
#include "game/levels/SaveFile.h"
#include "game/levels/SavedDataBhv.h"
#include "game/ui/UiDisplayPopupBhv.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "platform/AudioTestSupport.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"
#include "render/TextCmp.h"

namespace {

// More passes than the map's one-second zoom.
constexpr int ZoomPasses = 66;

// Icons on a 1280 x 720 window: world (x, y) lies at (640 + 32x, 360 - 32y).
const Vector2 MusicIconAt(96.0f, 536.0f);
const Vector2 SoundIconAt(224.0f, 536.0f);
const Vector2 DisplayIconAt(352.0f, 536.0f);

class MapOptionsTest : public PlayFixture {
protected:
    ~MapOptionsTest() override { UiDisplayPopupBhv::ModeSource = nullptr; }

    // The real game on its map, zoomed in and taking input.
    void OpenMap() {
        StartGame();
        RunPasses(ZoomPasses);
        ASSERT_NE(gSavedData, nullptr);
    }

    void Press(Key key) {
        HeldKeys.insert(key);
        RunPass();
        HeldKeys.erase(key);
        RunPass();
    }
    void Click(Vector2 at) {
        Mouse = at;
        Press(Key::LeftMouse);
    }

    bool CheckedShown(const std::string& icon) const {
        return Find("LevelSelectScreen1/" + icon + "/CheckedIcon")->DrawEnabled != 0;
    }
    // What "Game.sav" holds now, read by a reader of its own.
    static SavedProgress SavedOnDisk() {
        SavedProgress progress;
        SaveFile(SavedDataBhv::GetSavePath("Game")).Load(progress);
        return progress;
    }

    GameObject* Popup() const { return Find("UiDisplaySettingsPopup"); }
    UiDisplayPopupBhv* PopupBhv() const {
        GameObject* popup = Popup();
        return popup != nullptr ? popup->GetComponent<UiDisplayPopupBhv>() : nullptr;
    }
    std::string PopupText(const std::string& path) const { return Find("UiDisplaySettingsPopup/" + path)->Text->Text; }
    bool PopupShown(const std::string& panel) const {
        return Find("UiDisplaySettingsPopup/" + panel)->DrawEnabled != 0;
    }
};

std::string DisplayFileText() {
    std::ifstream file(DisplaySettings::GetPath());
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class FixedModes : public DisplayModeSource {
public:
    std::vector<VideoMode> Modes;
    std::vector<VideoMode> ListModes() const override { return Modes; }
};

TEST_F(MapOptionsTest, TheMuteIconsToggleTheLiveSwitchesAndTheSaveFileAndComeBackWithTheMap) {
    OpenMap();
    ASSERT_FALSE(gMusicManager->Muted);
    EXPECT_FALSE(CheckedShown("MusicMuteIcon"));

    Click(MusicIconAt);
    EXPECT_TRUE(gMusicManager->Muted);
    EXPECT_TRUE(gSavedData->MusicMuted);
    EXPECT_TRUE(SavedOnDisk().MusicMuted);
    EXPECT_TRUE(CheckedShown("MusicMuteIcon"));
    EXPECT_FALSE(gSoundManager->System().IsMasterMuted()) << "the music switch leaves the effects alone";
    Click(MusicIconAt);
    EXPECT_FALSE(gMusicManager->Muted);
    EXPECT_FALSE(SavedOnDisk().MusicMuted);
    EXPECT_FALSE(CheckedShown("MusicMuteIcon"));

    // A click beside the icons changes nothing.
    Click(Vector2(160.0f, 536.0f));
    EXPECT_FALSE(gMusicManager->Muted);
    EXPECT_FALSE(gSoundManager->System().IsMasterMuted());

    Click(SoundIconAt);
    EXPECT_TRUE(gSoundManager->System().IsMasterMuted());
    EXPECT_TRUE(SavedOnDisk().SoundMuted);
    EXPECT_TRUE(CheckedShown("SoundMuteIcon"));
    EXPECT_FALSE(gMusicManager->Muted) << "the switches are independent";

    // A new map applies the saved switches as its icons start.
    gSoundManager->System().SetMasterMuted(false);
    gSavedData->MusicMuted = true;
    Find("LevelSelectScreen1")->DetachAndDestroy();
    Spawn("LevelSelectScreen1", Vector2());
    RunPass();
    EXPECT_TRUE(gSoundManager->System().IsMasterMuted());
    EXPECT_TRUE(gMusicManager->Muted);
}

// The wave writer mixes in real time: these passes let it run that long.
void PlayFor(PlayHarness& play, std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        play.RunPass();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST_F(MapOptionsTest, MasterMuteSilencesCuesAndMusicWhileMusicMuteSilencesOnlyTheMusic) {
    // A loud music track and a short beep in a bank of the test's own.
    gMusicManager->Tracks["LevelSelect1"].FilePath =
        AudioTest::WriteWav("loud_music", AudioTest::Pieces({{AudioTest::LevelC, AudioTest::Rate}})).string();
    const std::filesystem::path bank = Content->Path() / "Sounds" / "Test";
    std::filesystem::create_directories(bank);
    std::filesystem::copy_file(
        AudioTest::WriteWav("beep", AudioTest::Pieces({{AudioTest::LevelA, AudioTest::Rate / 10}})), bank / "Beep.wav");
    WritePrefab("Cue_Beep", R"({ "Components": { "CueCmp": "", "CueOneShotBhv": { "SoundName": "Beep",
        "PitchVariation": "0", "Volume": "1" } }, "AutoCreate": "" })");
    OpenMap();
    gSoundManager->LoadBank("Test");
    ASSERT_TRUE(gMusicManager->Channel.IsPlaying());

    PlayFor(*this, std::chrono::milliseconds(300));  // music
    Click(MusicIconAt);
    PlayFor(*this, std::chrono::milliseconds(300));  // nothing
    gCueManager->PlayCue("Beep");
    PlayFor(*this, std::chrono::milliseconds(400));  // the beep alone
    Click(SoundIconAt);
    Click(MusicIconAt);  // music on again, under the master mute
    ASSERT_TRUE(gSoundManager->System().IsMasterMuted());
    ASSERT_FALSE(gMusicManager->Muted);
    gCueManager->PlayCue("Beep");
    PlayFor(*this, std::chrono::milliseconds(400));  // nothing at all
    gSoundManager->System().Release();

    // Two stretches of sound: the music until its mute, and the beep, then silence.
    const AudioTest::Output output = AudioTest::ReadOutput();
    std::vector<AudioTest::LevelRun> sounding;
    for (const AudioTest::LevelRun& run : AudioTest::Runs(output)) {
        if (run.Level != '.' && run.Frames > 100) {
            sounding.push_back(run);
        }
    }
    ASSERT_EQ(sounding.size(), 2u) << AudioTest::Describe(AudioTest::Runs(output));
    EXPECT_GT(sounding[0].Frames, output.FrameAt(0.2));
    EXPECT_NEAR(static_cast<double>(sounding[1].Frames), AudioTest::Rate / 10.0, AudioTest::Rate / 100.0);
    EXPECT_EQ(sounding[1].Level, 'A');
    const size_t lastSound = output.LastSound();
    ASSERT_NE(lastSound, std::string::npos);
    EXPECT_LT(lastSound + output.FrameAt(0.3), output.Left.size()) << "nothing sounds under the master mute";
}

TEST_F(MapOptionsTest, ShiftTildeCyclesTheUpdateSwitchesAndTheLineCountsPassesPerSimulatedSecond) {
    WritePrefab("BrokenDebugDisplay", R"({ "Components": { "DebugDisplayBhv": { "FpsUpdateInterval": "0" },
        "TextCmp": "" }, "AutoCreate": "" })");
    OpenMap();
    GameObject* debug = Find("DebugDisplay");
    ASSERT_NE(debug, nullptr);
    EXPECT_EQ(debug->DrawEnabled, 0);
    Press(Key::Tilde);
    EXPECT_EQ(debug->DrawEnabled, 1);

    HeldKeys.insert(Key::Shift);
    Press(Key::Tilde);
    EXPECT_EQ(App->UpdatesDisabled, 1);
    EXPECT_EQ(App->UpdatesDelayed, 0);
    EXPECT_NE(debug->Text->Text.find("   UpdatesDisabled"), std::string::npos) << debug->Text->Text;
    Press(Key::Tilde);
    EXPECT_EQ(App->UpdatesDisabled, 0);
    EXPECT_EQ(App->UpdatesDelayed, 1);
    EXPECT_EQ(debug->Text->Text.find("UpdatesDisabled"), std::string::npos);
    EXPECT_NE(debug->Text->Text.find("   UpdatesDelayed"), std::string::npos);
    Press(Key::Tilde);
    EXPECT_EQ(App->UpdatesDisabled, 0);
    EXPECT_EQ(App->UpdatesDelayed, 0);
    HeldKeys.clear();
    EXPECT_EQ(debug->DrawEnabled, 1) << "Shift+Tilde leaves the display as it was";

    // A fresh display counting half seconds: 30 passes of 1/60 s make 60 a second.
    GameObject* fresh = Spawn("DebugDisplay", Vector2());
    SetProperty(fresh, "DebugDisplayBhv", "FpsUpdateInterval", "0.5");
    RunPasses(29);
    ASSERT_FALSE(gCurrentLevelName.empty());
    EXPECT_EQ(fresh->Text->Text, "FPS: 0\n" + gCurrentLevelName);
    RunPass();
    EXPECT_EQ(fresh->Text->Text, "FPS: 60\n" + gCurrentLevelName);
    // Set to 0 while running, the count stops instead of looping for ever.
    SetProperty(fresh, "DebugDisplayBhv", "FpsUpdateInterval", "0");
    RunPasses(40);
    EXPECT_EQ(fresh->Text->Text, "FPS: 60\n" + gCurrentLevelName);

    // A prefab with such an interval is refused as it starts, naming the prefab.
    try {
        Spawn("BrokenDebugDisplay", Vector2());
        RunPass();
        ADD_FAILURE() << "no content error";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File().filename(), "BrokenDebugDisplay.json");
        EXPECT_NE(error.Problem().find("FpsUpdateInterval"), std::string::npos);
    }
}

TEST_F(MapOptionsTest, ThePopupOffersSixtyHertzModesAppliesThemAtOnceAndConfirmsOrReverts) {
    FixedModes modes;
    modes.Modes = {{800, 450, 60},   {1024, 576, 75}, {1024, 576, 60},
                   {1280, 1024, 60}, {1280, 720, 60}, {1600, 900, 60}};
    UiDisplayPopupBhv::ModeSource = &modes;
    OpenMap();
    Click(DisplayIconAt);
    UiDisplayPopupBhv* popup = PopupBhv();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Find("LevelSelectScreen1")->InputEnabled, 0) << "the map waits while the popup is open";
    ASSERT_EQ(popup->Modes().size(), 3u);
    EXPECT_EQ(popup->Modes()[1].Width, 1024);
    EXPECT_EQ(popup->SelectedIndex(), 2) << "the mode in use";
    EXPECT_EQ(PopupText("UiDisplaySettings/ResolutionText"), "1280 x 720");
    EXPECT_EQ(PopupText("UiDisplaySettings/FullscreenText"), "No");
    EXPECT_FALSE(PopupShown("UiDisplayConfirm"));

    // Down to the first mode; one more Left plays no cue.
    Press(Key::Left);
    Press(Key::Left);
    EXPECT_EQ(CueCount("MenuBlip"), 2);
    Press(Key::Left);
    EXPECT_EQ(popup->SelectedIndex(), 0);
    EXPECT_EQ(CueCount("MenuBlip"), 2);
    EXPECT_EQ(PopupText("UiDisplaySettings/ResolutionText"), "800 x 450");

    const std::string before = DisplayFileText();
    // Applied at once, then ten seconds to confirm: 10 down to 1, then back.
    Press(Key::Space);
    ASSERT_TRUE(popup->IsConfirming());
    EXPECT_EQ(gGraphics->Width, 800);
    EXPECT_EQ(gGraphics->Height, 450);
    EXPECT_TRUE(PopupShown("UiDisplayConfirm"));
    EXPECT_FALSE(PopupShown("UiDisplaySettings"));
    std::vector<std::string> shown;
    while (popup->IsConfirming() && shown.size() < 1000) {
        const std::string text = PopupText("UiDisplayConfirm/CountdownText");
        if (shown.empty() || shown.back() != text) {
            shown.push_back(text);
        }
        RunPass();
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(gGraphics->Width, 1280);
    EXPECT_EQ(gGraphics->Height, 720);
    EXPECT_EQ(popup->SelectedIndex(), 0) << "the choice stays";
    EXPECT_TRUE(PopupShown("UiDisplaySettings"));

    // Cancel while confirming returns to choosing; the file is never written.
    Press(Key::Space);
    ASSERT_TRUE(popup->IsConfirming());
    Press(Key::Esc);
    EXPECT_FALSE(popup->IsConfirming());
    EXPECT_EQ(gGraphics->Width, 1280);
    EXPECT_NE(Popup(), nullptr);
    EXPECT_EQ(DisplayFileText(), before);

    // Full screen at 1024 x 576, confirmed by a click on the Space key picture.
    Press(Key::Right);
    Press(Key::F);
    EXPECT_EQ(PopupText("UiDisplaySettings/FullscreenText"), "Yes");
    Press(Key::Space);
    EXPECT_EQ(gGraphics->Fullscreen, 1);
    const GameObject* space = Find("UiDisplaySettingsPopup/UiDisplayConfirm/KeySpace");
    // The mouse counts pixels of the window, which is 1024 x 576 now.
    Click(Vector2(space->GetPos().X * 0.8f, space->GetPos().Y * 0.8f));
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Find("LevelSelectScreen1")->InputEnabled, 1);
    const std::string text = DisplayFileText();
    EXPECT_NE(text.find("Width=1024"), std::string::npos) << text;
    EXPECT_NE(text.find("Height=576"), std::string::npos) << text;
    EXPECT_NE(text.find("Fullscreen=true"), std::string::npos) << text;
}

TEST_F(MapOptionsTest, WithoutModesThePopupOffersTheModeInUseAndEscClosesIt) {
    FixedModes none;
    UiDisplayPopupBhv::ModeSource = &none;
    OpenMap();
    Click(DisplayIconAt);
    ASSERT_NE(PopupBhv(), nullptr);
    Press(Key::Right);
    Press(Key::Left);
    EXPECT_EQ(PopupText("UiDisplaySettings/ResolutionText"), "1280 x 720");
    EXPECT_EQ(CueCount("MenuBlip"), 0);
    // Confirming the mode in use closes without a change.
    Press(Key::Space);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(gGraphics->Width, 1280);

    Click(DisplayIconAt);
    ASSERT_NE(PopupBhv(), nullptr);
    Press(Key::Esc);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Find("LevelSelectScreen1")->InputEnabled, 1);
}

// A user data folder that cannot be written (here the data home is a plain file): the
// renderer starts with the defaults and the popup keeps a confirmed mode for the run,
// each failure told on standard error and the popup's one on screen as well.
TEST_F(MapOptionsTest, AnUnwritableUserDataFolderNeverStopsTheGame) {
    const std::filesystem::path blocker = DataHome->Folder() / "blocker";
    WriteTextFile(blocker, "");
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    ASSERT_FALSE(std::filesystem::exists(DisplaySettings::GetPath()));

    ::testing::internal::CaptureStderr();
    auto graphics = std::make_unique<Graphics>();
    const std::string toldAtStart = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(graphics->Width, 1280);
    EXPECT_EQ(graphics->Height, 720);
    EXPECT_EQ(graphics->Fullscreen, 0);
    graphics.reset();
    EXPECT_EQ(std::count(toldAtStart.begin(), toldAtStart.end(), '\n'), 1) << toldAtStart;
    EXPECT_NE(toldAtStart.find(DisplaySettings::GetPath().string() + ": cannot write"), std::string::npos)
        << toldAtStart;

    FixedModes modes;
    modes.Modes = {{1024, 576, 60}, {1280, 720, 60}};
    UiDisplayPopupBhv::ModeSource = &modes;
    OpenMap();
    Click(DisplayIconAt);
    UiDisplayPopupBhv* popup = PopupBhv();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(PopupText("UiDisplaySettings/StatusText"), "");
    Press(Key::Left);
    Press(Key::Space);
    ASSERT_TRUE(popup->IsConfirming());
    ::testing::internal::CaptureStderr();
    Press(Key::Space);
    RunPasses(30);
    const std::string toldOnConfirm = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(toldOnConfirm.find(DisplaySettings::GetPath().string() + ": cannot write"), std::string::npos)
        << toldOnConfirm;
    ASSERT_EQ(Popup(), popup->Owner) << "the popup stays to tell";
    EXPECT_FALSE(popup->IsConfirming()) << "no countdown takes the mode back";
    EXPECT_TRUE(PopupShown("UiDisplaySettings"));
    EXPECT_EQ(PopupText("UiDisplaySettings/StatusText"), "Not saved: cannot write Display.ini");
    EXPECT_EQ(gGraphics->Width, 1024) << "the confirmed mode stays for this run";
    EXPECT_FALSE(std::filesystem::exists(DisplaySettings::GetPath()));

    Press(Key::Esc);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(gGraphics->Width, 1024);
    EXPECT_EQ(Find("LevelSelectScreen1")->InputEnabled, 1);
}

}  // namespace
