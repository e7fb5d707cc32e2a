#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ContentTestSupport.h"
#include "EngineContentFixture.h"
#include "GraphicsTestSupport.h"
#include "IconFiles.h"
#include "PlayHarness.h"
#include "ToldWarnings.h"
#include "assets/AnimationData.h"
#include "assets/BitmapFont.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "audio/CueManagerBhv.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"
#include "fx/AnimationBhv.h"
#include "fx/AnimationManager.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/Cursors.h"
#include "input/MessagePump.h"
#include "object/GameObject.h"
#include "object/IniFile.h"
#include "object/JsonFile.h"
#include "object/ResourceResolver.h"
#include "object/ScopedFifo.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "object/XmlFile.h"
#include "platform/ImageFile.h"
#include "platform/audio/SoundFile.h"
#include "platform/gfx/GfxImage.h"
#include "platform/window/CursorImage.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"
#include "render/RenderSettings.h"
#include "render/SpriteCmp.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// Content that names a texture, a frame, a font, an animation and a cue that do not
// exist, built from a real prefab and run through passes; one texture, "Atlas", exists.
class MissingContentTest : public EngineContentFixture {
protected:
    MissingContentTest() {
        mAtlas.Name = "Atlas";
        mAtlas.Width = 32.0f;
        mAtlas.Height = 16.0f;
        mAtlas.AddFrame("Left", AtlasFrame{0, 0, 16, 16, 0, 0, 16, 16});
        mAtlas.AddFrame("Right", AtlasFrame{16, 0, 16, 16, 0, 0, 16, 16});
        sAtlas = &mAtlas;
        mSavedResolver = gResourceResolver;
        gResourceResolver.FindTexture = [](const std::string& name) { return name == "Atlas" ? sAtlas : nullptr; };
        gResourceResolver.FindFont = [](const std::string&) -> BitmapFont* { return nullptr; };
        mSavedAnimations = gAnimationManager;
        gAnimationManager = &mAnimations;
    }
    ~MissingContentTest() override {
        gResourceResolver = mSavedResolver;
        gAnimationManager = mSavedAnimations;
        sAtlas = nullptr;
    }

    static Texture* sAtlas;
    Texture mAtlas;
    AnimationManager mAnimations;
    ResourceResolver mSavedResolver;
    AnimationManager* mSavedAnimations = nullptr;
};

Texture* MissingContentTest::sAtlas = nullptr;

TEST_F(MissingContentTest, EachLookupThatFindsNothingIsToldOnceNamingItAndTheAsker) {
    WritePrefab("Broken", R"({
        "Pos2dCmp": "",
        "SpriteCmp": { "Tex": "Atlas", "ImageName": "Middle" },
        "SpriteCmp": { "Tex": "GhostTexture" },
        "TextCmp": { "Font": "GhostFont" },
        "AnimationBhv": { "AutoPlay": "GhostRun" }
    })");
    LoadContent();
    auto* manager = new CueManagerBhv();
    Root->AddComponent(manager);
    manager->Start();

    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        auto* object = new GameObject("Broken");
        object->Name = "Enemy" + std::to_string(i);
        Root->AddChild(object);
        manager->PlayCue("GhostShot");
        RunPass();
        RunPass();
    }
    const std::string told = testing::internal::GetCapturedStderr();

    // The stored frame name is looked up once the texture arrives.
    const std::string prefab = "(asked for by prefab \"Broken\", ";
    EXPECT_EQ(Occurrences(told, "Missing frame \"Atlas/Middle\" " + prefab + "SpriteCmp.Tex)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing texture \"GhostTexture\" " + prefab + "SpriteCmp.Tex)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing font \"GhostFont\" " + prefab + "TextCmp.Font)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing animation \"GhostRun\" (asked for by AnimationBhv on object \"Enemy0\")"), 1u)
        << told;
    EXPECT_EQ(Occurrences(told,
                          "Missing cue prefab \"Cue_GhostShot\" (asked for by "
                          "CueManagerBhv::PlayCue(\"GhostShot\"))"),
              1u)
        << told;
    EXPECT_EQ(Occurrences(told, "Missing "), 5u) << told;
}

TEST_F(MissingContentTest, AnAnimationFrameMissingFromItsAtlasIsNotedWithTheFileAndLine) {
    AnimationData animation;
    std::istringstream in("Atlas:Left 1\nAtlas:Centre 1\n");
    testing::internal::CaptureStderr();
    animation.Read(
        in, "Walk.anim", [](const std::string& name) { return name == "Atlas" ? sAtlas : nullptr; }, 60);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("Walk.anim: line 2: the texture \"Atlas\" has no frame \"Centre\""), std::string::npos) << told;
    EXPECT_EQ(Occurrences(told, "Walk.anim"), 1u) << told;
}

// Runs the test in a folder of its own: music and cursors are looked up under the
// working folder's "Content".
class ScopedWorkingFolder {
public:
    explicit ScopedWorkingFolder(const std::filesystem::path& folder) : mPrevious(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~ScopedWorkingFolder() { std::filesystem::current_path(mPrevious); }
    ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
    ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

private:
    std::filesystem::path mPrevious;
};

// The whole start-up over the generated content with pieces taken away or damaged: a
// cue prefab, prefabs the code builds by name (the map's quit popup, a held weapon) and
// one that such a prefab auto-creates, sounds (garbage, cut short, empty, gone), music
// tracks (unplayable, cut short, gone) and the aiming cursor. Each is told once,
// through the content warnings, as it loads; playing the cues, asking to quit on the
// map and showing the cursor afterwards tells nothing more, and the damaged sounds play
// what they hold.
TEST(StartUpContentTest, EachExpectedFileMissingOrDamagedIsToldOnceAsItLoads) {
    QV_REQUIRE_DISPLAY();
    namespace fs = std::filesystem;
    ScopedTempFolder folder;
    ScopedWorkingFolder working(folder.Path());
    const fs::path generated = GeneratedContent();
    const auto cutShort = [](const fs::path& file) { fs::resize_file(file, fs::file_size(file) / 2); };
    fs::create_directories("Content/Music");
    fs::copy_file(generated / "Sounds/Main/NewBest.wav", "Content/Music/Bonus.wav");
    cutShort("Content/Music/Bonus.wav");
    WriteTextFile("Content/Music/Psy1.ogg", "OggS, or so it says");
    WriteTextFile("Content/Cursors/Aim.ico", std::string("\0\0\1\0", 4) + "no icon after all");

    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    const fs::path sounds = play.Content->Path() / "Sounds/Main";
    WriteTextFile(sounds / "PistolShot.wav", "RIFF....WAVEfmt garbage, not a sound");
    cutShort(sounds / "EnemyDie.wav");
    WriteTextFile(sounds / "ErrorBuzz.wav", "");
    fs::remove(sounds / "MenuBlip.wav");
    fs::remove(play.Content->Path() / "Prefabs/Cue_PillSpawn.json");
    for (const char* prefab : {"UiQuitPopup", "Wpn_Shotgun", "UiUnlockMessageText"}) {
        fs::remove(play.Content->Path() / "Prefabs" / (std::string(prefab) + ".json"));
    }
    gMusicManager->Tracks.erase("Psy2");
    play.StartGame();
    play.RunPasses(2);

    // Each line names the file or the name, and what follows from it.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Content/Music/Bonus.wav: cut short", "the missing end does not play"},
        {"Content/Music/Psy1.ogg: not a readable audio file", "the music track \"Psy1\" plays nothing"},
        {"Missing cue prefab \"Cue_PillSpawn\"", "the cue plays nothing"},
        {"Missing prefab \"UiQuitPopup\"", "(asked for by the game's code)"},
        {"Missing prefab \"Wpn_Shotgun\"", "(asked for by the game's code)"},
        {"Prefabs/UiUnlockMessage.json: prefab 'UiUnlockMessageText' is not loaded",
         "(auto-created by prefab 'UiUnlockMessage'); the entry is skipped"},
        {"Sounds/Main/PistolShot.wav: not a readable audio file", "\"Cue_PistolShot\" plays nothing"},
        {"Sounds/Main/EnemyDie.wav: cut short", "the missing end does not play"},
        {"Sounds/Main/ErrorBuzz.wav: not a readable audio file", "\"Cue_ErrorBuzz\" plays nothing"},
        {"Missing sound \"MenuBlip\"", "(asked for by prefab \"Cue_MenuBlip\", CueOneShotBhv.SoundName)"},
        {"Missing music track \"Psy2\"", "no file of that name in Content/Music"},
        {"Content/Cursors/Aim.ico: cannot load cursor", "the file ends inside its directory of 28526 images"},
    };
    for (const auto& [what, consequence] : expected) {
        EXPECT_EQ(told.Naming(what, consequence), 1u) << what << "\n" << ::testing::PrintToString(told.Lines);
    }
    EXPECT_EQ(told.Lines.size(), expected.size()) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming("Missing music track \"Psy1\""), 0u) << "told as unplayable already";

    // Played and shown, under the sanitizers: what is there plays, the rest is silent.
    ASSERT_NE(gCueManager, nullptr);
    for (const char* cue : {"PistolShot", "EnemyDie", "ErrorBuzz", "MenuBlip", "PillSpawn", "EnemyDie"}) {
        gCueManager->PlayCue(cue);
    }
    play.Tap(Key::Esc);
    gGraphics->CursorName = "Aim";
    for (int pass = 0; pass < 30; ++pass) {
        play.RunPass();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(told.Lines.size(), expected.size()) << ::testing::PrintToString(told.Lines);
}

// The mouse moving over the window, as the message pump takes it, and the cursor the
// game asks for shown, as the pump then does: the moment a cursor file that could not
// be read is read again. Not the pump itself: on the display the test programs share,
// their windows come and go and take the focus, and with it the game's aim.
void MoveMouseOverWindow() {
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 300;
    motion.motion.y = 200;
    HandleWindowEvent(motion);
    ApplyWindowCursor(gGraphics->CursorName);
}

// Cursor files larger than a cursor can be, as "Aim.ico": a 52-byte file whose header
// claims 513 x 1048576 pixels (the game took 2.2 GB and died in SDL), a whole 1 x 40000
// cursor (the X server refused it and Xlib ended the game), and a 62-byte file claiming
// 16384 x 16384 (1.2 GB before it was refused). Each is told as the game starts, naming
// the file and the size its header claims, without being decoded; the game shows the
// arrow and goes on, reading the file again when the mouse moves tells nothing more,
// and once a good cursor takes its place it shows.
TEST(StartUpContentTest, ACursorFileLargerThanACursorIsToldAndTheGameGoesOn) {
    QV_REQUIRE_DISPLAY();
    namespace fs = std::filesystem;
    const std::pair<std::string, std::string> files[] = {
        {MakeIconFile(513, 1048576, false).substr(0, 52), "the image claims 513 x 1048576 pixels"},
        {MakeIconFile(1, 40000), "the image claims 1 x 40000 pixels"},
        {MakeIconFile(16384, 16384, false), "the image claims 16384 x 16384 pixels"},
    };
    for (const auto& [bytes, claim] : files) {
        SCOPED_TRACE(claim);
        ScopedTempFolder folder;
        ScopedWorkingFolder working(folder.Path());
        WriteTextFile("Content/Cursors/Aim.ico", bytes);
        ToldWarnings told;
        PlayHarness play;
        play.EnableDrawing();
        play.StartGame();
        play.RunPasses(2);
        EXPECT_EQ(told.Naming("Content/Cursors/Aim.ico: cannot load cursor: " + claim, "over the limit of 256"), 1u)
            << ::testing::PrintToString(told.Lines);
        EXPECT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);

        // Space on the map starts the first level; the player walks to the pistol, and
        // armed, aims: the game asks for the cursor and the window keeps the arrow.
        play.RunPasses(70);
        play.TapInOnePump({Key::Space});
        play.RunPasses(80);
        ASSERT_NE(play.Find("GameplayScreen/Level"), nullptr);
        play.HeldKeys = {Key::W};
        play.RunPasses(100);
        play.HeldKeys = {Key::D};
        play.RunPasses(20);
        play.HeldKeys.clear();
        ASSERT_EQ(gGraphics->CursorName, "Aim");
        MoveMouseOverWindow();
        play.RunPasses(2);
        EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
        EXPECT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);

        fs::copy_file(GeneratedContent() / "Cursors/Aim.ico", "Content/Cursors/Aim.ico",
                      fs::copy_options::overwrite_existing);
        MoveMouseOverWindow();
        EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor()) << "the mended cursor shows";
    }
}

// What is no regular file where the game reads one at its start (a FIFO as the save
// file and as the aiming cursor, a FIFO and a folder as the display settings) hung the
// start in its open. Each is told as unreadable, naming the file, at once; the game goes
// on with the defaults, and its next saves put files in their places.
TEST(StartUpContentTest, AFifoWhereTheStartReadsAFileIsToldAtOnceAndReplacedByTheNextSave) {
    QV_REQUIRE_DISPLAY();
    namespace fs = std::filesystem;
    ScopedTempFolder folder;
    ScopedWorkingFolder working(folder.Path());
    fs::create_directories("Content/Cursors");
    const ScopedFifo cursor(folder.Path() / "Content/Cursors/Aim.ico");
    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    const fs::path save = SavedDataBhv::GetSavePath("Game");
    const ScopedFifo saveFifo(save);
    ::testing::internal::CaptureStderr();
    play.StartGame();
    play.RunPasses(2);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(told.Naming("Content/Cursors/Aim.ico: cannot load cursor: it is a FIFO, not a regular file"), 1u)
        << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(Occurrences(printed, "Save file \"" + save.string() +
                                       "\" cannot be read: it is a FIFO, not a regular file; no progress is read from it"),
              1u)
        << printed;
    ASSERT_NE(gSavedData, nullptr);
    EXPECT_TRUE(gSavedData->LevelBestTimes.empty());
    ASSERT_TRUE(gSavedData->Save());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(save)));

    const fs::path display = DisplaySettings::GetPath();
    for (const bool asFolder : {false, true}) {
        fs::remove(display);
        std::unique_ptr<ScopedFifo> fifo;
        if (asFolder) {
            fs::create_directory(display);
        } else {
            fifo = std::make_unique<ScopedFifo>(display);
        }
        ::testing::internal::CaptureStderr();
        Graphics graphics;
        const std::string warned = ::testing::internal::GetCapturedStderr();
        fifo.reset();
        const std::string kind = asFolder ? "a folder" : "a FIFO";
        EXPECT_EQ(Occurrences(warned, display.string() + ": it is " + kind +
                                        ", not a regular file; using the default display settings"),
                  1u)
            << warned;
        EXPECT_EQ(graphics.Width, 1280);
        EXPECT_EQ(fs::is_regular_file(fs::symlink_status(display)), !asFolder) << "the defaults replace a FIFO";
    }
    EXPECT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
}

// Every reader of the game's files, given what is no regular file at the name: a FIFO
// (which an open for reading waits on), a folder, and a link to a device. Each refuses
// at once and says what stands there, naming the file.
TEST(UnreadableFileTest, EveryReaderRefusesWhatIsNoRegularFileNamingIt) {
    namespace fs = std::filesystem;
    ScopedTempFolder folder;
    const auto thrown = [](const std::function<void()>& read) -> std::string {
        try {
            read();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "nothing thrown";
    };
    struct Reader {
        const char* What;
        const char* Name;
        std::function<std::string(const fs::path&)> Read;
    };
    const Reader readers[] = {
        {"prefabs, levels, configuration, key mappings, loop points", "Exit.json",
         [&](const fs::path& file) { return thrown([&] { ReadJsonFile(file); }); }},
        {"atlases, fonts", "Font.fnt", [&](const fs::path& file) { return thrown([&] { ReadXmlFile(file); }); }},
        {"display settings", "Display.ini", [&](const fs::path& file) { return thrown([&] { ReadIniFile(file); }); }},
        {"animations", "Walk.anim",
         [&](const fs::path& file) {
             return thrown([&] { AnimationData().LoadFile(file, [](const std::string&) { return nullptr; }, 60); });
         }},
        {"textures, font pages", "Page.sheet",
         [](const fs::path& file) {
             GfxImage image;
             std::string error;
             return ReadImageFile(file, &image, &error, 4096) ? "read" : file.string() + ": " + error;
         }},
        {"cursors", "Aim.ico",
         [](const fs::path& file) {
             std::string error;
             return CursorImage::ReadImage(file, &error) != nullptr ? "read" : file.string() + ": " + error;
         }},
        {"cursor pictures", "Aim.png",
         [](const fs::path& file) {
             std::string error;
             return DecodeImageFile(file, &error) != nullptr ? "read" : file.string() + ": " + error;
         }},
        {"sounds, music", "Shot.wav",
         [](const fs::path& file) {
             std::string error;
             return SoundFile::Open(file, error) != nullptr ? "read" : error;
         }},
    };
    for (const Reader& reader : readers) {
        SCOPED_TRACE(reader.What);
        const fs::path file = folder.Path() / reader.Name;
        for (const char* kind : {"a FIFO", "a folder", "a character device"}) {
            SCOPED_TRACE(kind);
            std::unique_ptr<ScopedFifo> fifo;
            if (kind == std::string("a FIFO")) {
                fifo = std::make_unique<ScopedFifo>(file);
            } else if (kind == std::string("a folder")) {
                fs::create_directory(file);
            } else {
                fs::create_symlink("/dev/null", file);
            }
            const std::string problem = reader.Read(file);
            fifo.reset();
            fs::remove(file);
            EXPECT_NE(problem.find(file.generic_string()), std::string::npos) << problem;
            EXPECT_NE(problem.find(std::string("it is ") + kind + ", not a regular file"), std::string::npos)
                << problem;
        }
    }
}

// A background picture moved out of the generated content: the levels that use it are
// drawn without it, and that is told once, naming the texture, however many frames and
// levels ask for it.
TEST(StartUpContentTest, ABackgroundTextureThatIsGoneIsToldOnceNamingIt) {
    QV_REQUIRE_DISPLAY();
    namespace fs = std::filesystem;
    ScopedTempFolder textures;
    fs::copy(GeneratedContent() / "Textures", textures.Path(), fs::copy_options::recursive);
    ASSERT_TRUE(fs::remove(textures.Path() / "Main" / "Background2.sheet"));

    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    gTextureManager->ContentFolder = textures.Path();
    play.StartInLevel();
    play.RunPasses(2);
    ASSERT_EQ(gGraphics->Settings->BackgroundTexture, "Background1");
    EXPECT_EQ(told.Naming("Background"), 0u) << ::testing::PrintToString(told.Lines);

    for (const char* level : {"Lvl_15", "Lvl_01", "Lvl_16", "Lvl_15"}) {
        gGameplayScreen->LoadLevel(gLevelList->FindLevel(level));
        play.RunPasses(3);
    }
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "Background2");
    EXPECT_EQ(told.Naming("Missing texture \"Background2\""), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming("Background"), 1u) << ::testing::PrintToString(told.Lines);
}

// The generated textures and fonts copied into the working folder's "Content", where
// the start-up then reads them.
void CopyGeneratedArt() {
    namespace fs = std::filesystem;
    fs::create_directories("Content");
    for (const char* folder : {"Textures", "Fonts"}) {
        fs::copy(GeneratedContent() / folder, fs::path("Content") / folder, fs::copy_options::recursive);
    }
}

// Points the started game's textures and fonts at the working folder's copies.
void ReadArtFromWorkingFolder() {
    gTextureManager->ContentFolder = std::filesystem::absolute("Content/Textures");
    gFontRegistry->ContentFolder = std::filesystem::absolute("Content/Fonts");
}

// Gives the attribute of the first element that begins with elementStart a new value.
void SetAttribute(const std::filesystem::path& file, const std::string& elementStart, const std::string& attribute,
                  const std::string& value) {
    std::string text = ReadTextFile(file);
    const size_t element = text.find(elementStart);
    ASSERT_NE(element, std::string::npos) << elementStart;
    const size_t name = text.find(" " + attribute + "=\"", element);
    ASSERT_LT(name, text.find('>', element)) << elementStart << " " << attribute;
    const size_t valueStart = name + attribute.size() + 3;
    text.replace(valueStart, text.find('"', valueStart) - valueStart, value);
    WriteTextFile(file, text);
}

// Asset files that are there but cannot be parsed, one of each kind: a texture atlas
// ("Ui.xml"), a font ("Small.fnt"), an animation ("AntWalk.anim") and loop-point files
// of every music track (a value that is no number, a negative one, one past any sample,
// and no JSON at all). The game ended on the first of them with a crash report; now
// each is told once, naming the file and the problem, and left out as if it were
// missing: the texture shows its image without frames, the font and the animation are
// not there, the tracks repeat whole. The map then runs as it does without them.
TEST(StartUpContentTest, AnAssetFileThatCannotBeParsedIsToldOnceAndLeftOutAsIfMissing) {
    QV_REQUIRE_DISPLAY();
    namespace fs = std::filesystem;
    ScopedTempFolder folder;
    ScopedWorkingFolder working(folder.Path());
    CopyGeneratedArt();
    WriteTextFile("Content/Textures/Main/Ui.xml", "junk <<<\n");
    WriteTextFile("Content/Fonts/Main/Small.fnt", "junk <<<\n");
    const std::pair<std::string, std::string> loopPoints[] = {
        {"LevelSelect1", R"({"LoopStartSample":"abc","LoopEndSample":1322999})"},
        {"Psy1", R"({"LoopStartSample":-5,"LoopEndSample":1209599})"},
        {"Psy2", R"({"LoopStartSample":291972,"LoopEndSample":1e30})"},
        {"Bonus", "junk"},
    };
    for (const auto& [track, json] : loopPoints) {
        fs::create_directories("Content/Music");
        fs::copy_file(GeneratedContent() / "Sounds/Main/NewBest.wav", "Content/Music/" + track + ".wav");
        WriteTextFile("Content/Music/" + track + ".json", json);
    }

    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    ReadArtFromWorkingFolder();
    WriteTextFile(play.Content->Path() / "Animations/AntWalk.anim", "junk words here\n");
    play.StartGame();
    play.RunPasses(60);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Content/Textures/Main/Ui.xml: XML syntax error on line 1", "; the texture \"Ui\" has no frames"},
        {"Content/Fonts/Main/Small.fnt: XML syntax error on line 1", "; the font \"Small\" is left out"},
        {"Animations/AntWalk.anim: line 1: the duration \"words\"", "; the animation \"AntWalk\" is left out"},
        {"Content/Music/LevelSelect1.json: \"LoopStartSample\" must be a whole number",
         "not \"abc\"; the whole track \"LevelSelect1\" repeats"},
        {"Content/Music/Psy1.json: \"LoopStartSample\" must be", "not \"-5\"; the whole track \"Psy1\" repeats"},
        {"Content/Music/Psy2.json: \"LoopEndSample\" must be", "not \"1e30\"; the whole track \"Psy2\" repeats"},
        {"Content/Music/Bonus.json: JSON syntax error on line 1", "; the whole track \"Bonus\" repeats"},
    };
    for (const auto& [what, consequence] : expected) {
        EXPECT_EQ(told.Naming(what, consequence), 1u) << what << "\n" << ::testing::PrintToString(told.Lines);
    }
    for (const char* file :
         {"Ui.xml", "Small.fnt", "AntWalk.anim", "LevelSelect1.json", "Psy1.json", "Psy2.json", "Bonus.json"}) {
        EXPECT_EQ(told.Naming(file), 1u) << file << "\n" << ::testing::PrintToString(told.Lines);
    }

    const Texture* ui = gTextureManager->GetTexture("Ui");
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui->GetFrameCount(), 0);
    EXPECT_GT(ui->Width, 0.0f) << "its image loads as when the atlas is missing";
    EXPECT_EQ(gFontRegistry->Find("Small"), nullptr);
    EXPECT_NE(gFontRegistry->Find("Medium"), nullptr);
    EXPECT_EQ(gAnimationManager->Find("AntWalk"), nullptr);
    EXPECT_NE(gAnimationManager->Find("ChaserWalk"), nullptr);
    for (const auto& [track, json] : loopPoints) {
        EXPECT_FALSE(gMusicManager->Tracks.at(track).HasLoopPoints()) << track;
    }
    ASSERT_NE(gGameplayRoot->FindChild("LevelSelectScreen1"), nullptr);
    const size_t toldAtStart = told.Lines.size();
    play.RunPasses(60);
    EXPECT_EQ(told.Lines.size(), toldAtStart) << ::testing::PrintToString(told.Lines);
}

// A WAV file whose data chunk claims 0xFFFFFFF0 bytes of 16-bit mono samples and holds
// 1000; its RIFF length is the file's own, so only the chunk tells the lie.
std::string WavClaimingMoreThanItHolds() {
    const auto le32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
    };
    const auto le16 = [](uint16_t v) { return std::string{static_cast<char>(v), static_cast<char>(v >> 8)}; };
    std::string samples;
    for (int i = 0; i < 500; ++i) {
        samples += le16(static_cast<uint16_t>(i * 40));
    }
    const std::string format = le16(1) + le16(1) + le32(22050) + le32(44100) + le16(2) + le16(16);
    const std::string body = "WAVEfmt " + le32(16) + format + "data" + le32(0xFFFFFFF0u) + samples;
    return "RIFF" + le32(static_cast<uint32_t>(body.size())) + body;
}

// Values no asset file should hold: a glyph of "Small.fnt" at x 4000000000 and another
// 5 pixels wide the wrong way, an atlas sprite ("MapCursor" of "Ui.xml") -7 pixels wide,
// and a sound ("MenuBlip.wav") whose header claims 0xFFFFFFF0 bytes with 1000 present.
// They were taken without a word; now each file is told once, naming the element and
// the value, the glyphs and the sprite are left out while the rest of their file loads,
// and the sound is told as cut short, as a file cut in half is, and plays what it holds.
TEST(StartUpContentTest, ValuesNoAssetFileShouldHoldAreToldAndWhatHoldsThemLeftOut) {
    QV_REQUIRE_DISPLAY();
    ScopedTempFolder folder;
    ScopedWorkingFolder working(folder.Path());
    CopyGeneratedArt();
    const int uiFrames = [] {
        int count = 0;
        const std::string atlas = ReadTextFile("Content/Textures/Main/Ui.xml");
        for (size_t at = atlas.find("<sprite "); at != std::string::npos; at = atlas.find("<sprite ", at + 1)) {
            ++count;
        }
        return count;
    }();
    SetAttribute("Content/Textures/Main/Ui.xml", "<sprite n=\"MapCursor\"", "w", "-7");
    SetAttribute("Content/Fonts/Main/Small.fnt", "<char id=\"65\"", "x", "4000000000");
    SetAttribute("Content/Fonts/Main/Small.fnt", "<char id=\"66\"", "width", "-5");

    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    ReadArtFromWorkingFolder();
    WriteTextFile(play.Content->Path() / "Sounds/Main/MenuBlip.wav", WavClaimingMoreThanItHolds());
    play.StartGame();
    play.RunPasses(2);

    EXPECT_EQ(told.Naming("Content/Textures/Main/Ui.xml: sprite \"MapCursor\" left out: \"w\" is \"-7\", less than 1"),
              1u)
        << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming("Content/Fonts/Main/Small.fnt: char 65 left out: \"x\" is \"4000000000\": the glyph "
                          "reaches outside the page",
                          "(and 1 more element left out)"),
              1u)
        << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming("Sounds/Main/MenuBlip.wav: cut short: 1000 of the 4294967280 bytes its audio chunk gives"),
              1u)
        << ::testing::PrintToString(told.Lines);
    for (const char* file : {"Ui.xml", "Small.fnt", "MenuBlip.wav"}) {
        EXPECT_EQ(told.Naming(file), 1u) << file << "\n" << ::testing::PrintToString(told.Lines);
    }

    const Texture* ui = gTextureManager->GetTexture("Ui");
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui->GetFrameIndex("MapCursor"), -1);
    EXPECT_GE(ui->GetFrameIndex("MapNode"), 0);
    EXPECT_EQ(ui->GetFrameCount(), uiFrames - 1);
    const BitmapFont* small = gFontRegistry->Find("Small");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->FindGlyph('A'), nullptr);
    EXPECT_EQ(small->FindGlyph('B'), nullptr);
    EXPECT_NE(small->FindGlyph('C'), nullptr);
    EXPECT_NE(gSoundManager->FindSound("MenuBlip"), nullptr);

    // Shown and played, under the sanitizers.
    gCueManager->PlayCue("MenuBlip");
    play.RunPasses(30);
}

// Who names a particle prefab: a committed prefab and the type of its emitter.
struct ParticleNamer {
    std::string Prefab;
    std::string Emitter;
};

// Every "ParticlePrefab" that a committed prefab's component gives, with its namer.
std::map<std::string, ParticleNamer> ParticlePrefabsNamedByCommittedPrefabs() {
    namespace fs = std::filesystem;
    std::map<std::string, ParticleNamer> named;
    for (const fs::directory_entry& entry : fs::directory_iterator(CommittedContent() / "Prefabs")) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        const boost::property_tree::ptree file = ReadJsonFile(entry.path());
        const auto components = file.get_child_optional("Components");
        if (!components) {
            continue;
        }
        for (const auto& [type, component] : *components) {
            if (const auto particle = component.get_optional<std::string>("ParticlePrefab")) {
                named.emplace(*particle, ParticleNamer{entry.path().stem().string(), type});
            }
        }
    }
    return named;
}

// The particle prefabs that the emitters of the committed prefabs build (the death
// chunks, wall pebbles and spawn puffs) all taken away: the start-up tells each once,
// naming the prefab and emitter that ask for it, and the emitters then built in a level
// emit nothing and tell nothing more.
TEST(StartUpContentTest, EachParticlePrefabAnEmitterNamesIsToldOnceWhenMissing) {
    QV_REQUIRE_DISPLAY();
    const std::map<std::string, ParticleNamer> named = ParticlePrefabsNamedByCommittedPrefabs();
    ASSERT_GE(named.size(), 5u) << "chunks of ants, insects and the player, wall pebbles, spawn puffs";

    ToldWarnings told;
    PlayHarness play;
    play.EnableDrawing();
    for (const auto& [particle, namer] : named) {
        ASSERT_TRUE(std::filesystem::remove(play.Content->Path() / "Prefabs" / (particle + ".json"))) << particle;
    }
    play.StartInLevel();
    play.RunPasses(2);

    for (const auto& [particle, namer] : named) {
        EXPECT_EQ(told.Naming("Missing prefab \"" + particle + "\" (asked for by prefab \"" + namer.Prefab + "\", " +
                              namer.Emitter + ".ParticlePrefab)"),
                  1u)
            << ::testing::PrintToString(told.Lines);
    }
    const size_t toldAtStart = told.Lines.size();
    GameObject* level = play.Find("GameplayScreen/Level/Layer2Mut");
    ASSERT_NE(level, nullptr);
    for (const auto& [particle, namer] : named) {
        level->AddChild(new GameObject(namer.Prefab));
    }
    play.RunPasses(3);
    EXPECT_EQ(told.Lines.size(), toldAtStart) << ::testing::PrintToString(told.Lines);
    for (const auto& [particle, namer] : named) {
        EXPECT_EQ(level->FindChild(particle), nullptr) << particle;
    }
}

}  // namespace
