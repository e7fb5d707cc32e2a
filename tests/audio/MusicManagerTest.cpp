#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

#include "EngineContentFixture.h"
#include "ToldWarnings.h"
#include "audio/MusicManager.h"
#include "platform/AudioTestSupport.h"

namespace {

using namespace std::chrono_literals;
using AudioTest::LevelA;
using AudioTest::LevelB;
using AudioTest::LevelC;
using AudioTest::LevelRun;
using AudioTest::Pieces;

class MusicManagerTest : public EngineContentFixture {
protected:
    std::filesystem::path MusicDir() const { return ContentDir / "Music"; }

    MusicManager MakeManager() { return MusicManager(Sounds->System(), MusicDir()); }

    // Closes the device so that the wave file is complete, then reads it.
    AudioTest::Output FinishOutput() {
        Sounds->System().Release();
        return AudioTest::ReadOutput();
    }
};

TEST_F(MusicManagerTest, ScanFindsTracksAndTheirLoopPoints) {
    WriteSound("Music/Psy1.ogg", Pieces({{LevelA, 1000}}));
    WriteText("Music/Psy1.json", R"({ "LoopStartSample": 300, "LoopEndSample": 899, "Comment": "ignored" })");
    WriteSound("Music/Intro.wav", Pieces({{LevelA, 1000}}));
    WriteText("Music/Upper.JSON", R"({ "LoopStartSample": 1, "LoopEndSample": 2 })");
    WriteSound("Music/Upper.flac", Pieces({{LevelA, 1000}}));
    WriteText("Music/Orphan.json", R"({ "Nothing": "here" })");
    WriteText("Music/Notes.txt", "not audio, but still a track by name");

    const MusicManager music(Sounds->System(), MusicDir());

    ASSERT_EQ(music.Tracks.size(), 4u);
    EXPECT_FALSE(music.Tracks.contains("Orphan"));
    const MusicMetadata& psy = music.Tracks.at("Psy1");
    EXPECT_EQ(psy.FilePath, (MusicDir() / "Psy1.ogg").string());
    EXPECT_EQ(psy.LoopStartSample, 300u);
    EXPECT_EQ(psy.LoopEndSample, 899u);
    EXPECT_TRUE(psy.HasLoopPoints());
    EXPECT_FALSE(music.Tracks.at("Intro").HasLoopPoints());
    EXPECT_EQ(music.Tracks.at("Intro").LoopStartSample, MusicMetadata::NoLoopPoint);
    EXPECT_EQ(music.Tracks.at("Upper").LoopEndSample, 2u);
    EXPECT_EQ(music.CurrentTrack, "");
}

// Loop-point files a person may leave beside a track: ones that do not read (broken
// JSON, a member missing, values that are no sample frame) and points that make no loop
// (the start on or after the end, the end past the track). Each is told once, naming the
// file and the problem, as the folder is scanned, which goes on; the track keeps no loop
// points and, played, repeats whole without a word more.
TEST_F(MusicManagerTest, LoopPointsThatCannotBeReadOrMakeNoLoopAreToldAndTheWholeTrackRepeats) {
    struct Case {
        const char* Json;
        const char* Problem;
    };
    const Case cases[] = {
        {R"({ "LoopStartSample": 10 )", "JSON syntax error on line 1"},
        {R"({ "LoopStartSample": 10 })", "LoopEndSample"},
        {R"({ "LoopStartSample": 10, "LoopEndSample": 12.5 })", "not \"12.5\""},
        {R"({ "LoopStartSample": -5, "LoopEndSample": 20 })", "not \"-5\""},
        {R"({ "LoopStartSample": "abc", "LoopEndSample": 20 })", "not \"abc\""},
        {R"({ "LoopStartSample": 0, "LoopEndSample": 1e30 })", "not \"1e30\""},
        {R"({ "LoopStartSample": 0, "LoopEndSample": 4294967296 })", "not \"4294967296\""},
        {R"({ "LoopStartSample": 60, "LoopEndSample": 50 })", "the loop start 60 comes after the loop end 50"},
        {R"({ "LoopStartSample": 0, "LoopEndSample": 2000 })", "the loop end 2000 lies past the end of the track"},
        {R"({ "LoopStartSample": 500, "LoopEndSample": 500 })", "the loop starts where it ends, at sample 500"},
    };
    WriteSound("Music/Track.wav", Pieces({{LevelA, 1000}, {LevelB, 1000}}));
    std::optional<MusicManager> music;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Json);
        WriteText("Music/Track.json", c.Json);
        ToldWarnings told;
        music.emplace(Sounds->System(), MusicDir());
        EXPECT_EQ(told.Naming((MusicDir() / "Track.json").generic_string() + ": ", c.Problem), 1u)
            << ::testing::PrintToString(told.Lines);
        EXPECT_EQ(told.Naming("the whole track \"Track\" repeats"), 1u) << ::testing::PrintToString(told.Lines);
        EXPECT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
        EXPECT_FALSE(music->Tracks.at("Track").HasLoopPoints());
    }

    ToldWarnings told;
    music->Play("Track");
    // Over three times the track's length.
    AudioTest::Pump(Sounds->System(), 200ms);
    EXPECT_TRUE(music->Channel.IsPlaying());
    music->Channel.Stop();
    EXPECT_TRUE(told.Lines.empty()) << ::testing::PrintToString(told.Lines);
    std::vector<LevelRun> runs = AudioTest::SoundingRuns(FinishOutput());
    ASSERT_GE(runs.size(), 5u) << AudioTest::Describe(runs);
    runs.pop_back();  // cut off by the stop
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i], (LevelRun{i % 2 == 0 ? 'A' : 'B', 1000}))
            << "run " << i << ": " << AudioTest::Describe(runs);
    }
}

TEST_F(MusicManagerTest, WithoutAMusicFolderThereAreNoTracksAndPlayDoesNothing) {
    MusicManager music = MakeManager();
    EXPECT_TRUE(music.Tracks.empty());
    music.Play("Psy1");
    EXPECT_EQ(music.CurrentTrack, "");
    EXPECT_EQ(music.Sound, nullptr);
    EXPECT_FALSE(music.Channel);
}

TEST_F(MusicManagerTest, PlayingAnUnknownTrackChangesNothingAndAKnownOneRestarts) {
    WriteSound("Music/Theme.wav", Pieces({{LevelA, 44100}}));
    MusicManager music = MakeManager();
    music.Play("Theme");
    ASSERT_TRUE(music.Channel.IsPlaying());
    const AudioSound* firstSound = music.Sound.get();
    const AudioChannel firstChannel = music.Channel;

    music.Play("NoSuchTrack");
    EXPECT_EQ(music.CurrentTrack, "Theme");
    EXPECT_EQ(music.Sound.get(), firstSound);
    EXPECT_TRUE(firstChannel.IsPlaying());

    // The same name starts the track over on a new stream; the old channel is gone.
    music.Play("Theme");
    EXPECT_FALSE(firstChannel.IsPlaying());
    EXPECT_TRUE(music.Channel.IsPlaying());
    EXPECT_EQ(music.CurrentTrack, "Theme");
    EXPECT_EQ(music.Sound->LoopCount(), -1);
}

TEST_F(MusicManagerTest, MutedAppliesToANewTrack) {
    WriteSound("Music/Quiet.wav", Pieces({{LevelA, 4410}}));
    MusicManager music = MakeManager();
    music.Muted = true;
    music.Play("Quiet");
    AudioTest::Pump(Sounds->System(), 250ms);
    EXPECT_TRUE(music.Channel.IsPlaying()) << "muted music plays on silently";

    const AudioTest::Output output = FinishOutput();
    ASSERT_FALSE(output.Left.empty());
    EXPECT_EQ(output.FirstSound(), std::string::npos) << "a muted track was heard";
}

TEST_F(MusicManagerTest, TrackWithLoopPointsPlaysItsIntroOnceThenRepeatsPastItsEnd) {
    // Intro A, loop section B then C (frames 3000 to 8999), an outro that never plays.
    WriteSound("Music/Psy1.flac", Pieces({{LevelA, 3000}, {LevelB, 4000}, {LevelC, 2000}, {-LevelA, 3000}}));
    WriteText("Music/Psy1.json", R"({ "LoopStartSample": 3000, "LoopEndSample": 8999 })");
    MusicManager music = MakeManager();
    music.Play("Psy1");
    // Over two and a half times the file's length.
    AudioTest::Pump(Sounds->System(), 700ms);
    EXPECT_TRUE(music.Channel.IsPlaying());
    music.Channel.Stop();

    std::vector<LevelRun> runs = AudioTest::SoundingRuns(FinishOutput());
    ASSERT_GE(runs.size(), 6u) << AudioTest::Describe(runs);
    runs.pop_back();  // cut off by the stop
    EXPECT_EQ(runs[0], (LevelRun{'A', 3000}));
    for (size_t i = 1; i < runs.size(); ++i) {
        const LevelRun expected = i % 2 == 1 ? LevelRun{'B', 4000} : LevelRun{'C', 2000};
        EXPECT_EQ(runs[i], expected) << "run " << i << ": " << AudioTest::Describe(runs);
    }
}

}  // namespace
