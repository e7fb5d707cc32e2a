#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "EngineContentFixture.h"
#include "audio/MusicManager.h"
#include "object/ContentError.h"
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

TEST_F(MusicManagerTest, MalformedLoopPointFilesAreContentErrorsNamingTheFile) {
    struct Case {
        const char* Json;
        const char* Problem;
    };
    const Case cases[] = {
        {R"({ "LoopStartSample": 10 )", "Track.json"},
        {R"({ "LoopStartSample": 10 })", "LoopEndSample"},
        {R"({ "LoopStartSample": 10, "LoopEndSample": 12.5 })", "12.5"},
        {R"({ "LoopStartSample": -1, "LoopEndSample": 20 })", "-1"},
        {R"({ "LoopStartSample": 0, "LoopEndSample": 4294967296 })", "4294967296"},
    };
    WriteSound("Music/Track.wav", Pieces({{LevelA, 100}}));
    for (const Case& c : cases) {
        WriteText("Music/Track.json", c.Json);
        try {
            MakeManager();
            ADD_FAILURE() << "accepted " << c.Json;
        } catch (const ContentError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("Track.json"), std::string::npos) << message;
            EXPECT_NE(message.find(c.Problem), std::string::npos) << message;
        }
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
