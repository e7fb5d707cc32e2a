#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <memory>
#include <vector>

#include "AudioTestSupport.h"
#include "platform/audio/AudioSystem.h"

// End to end: what the channels do must show in the mixed output file.
namespace {

using namespace std::chrono_literals;
using AudioTest::LevelA;
using AudioTest::LevelB;
using AudioTest::LevelC;
using AudioTest::LevelD;
using AudioTest::LevelRun;
using AudioTest::Pieces;
using Clock = std::chrono::steady_clock;

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The writer runs in real time but may lag a mixing period or two behind it.
constexpr double WriterSlackSeconds = 0.06;

class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        mBeforeInit = Clock::now();
        ASSERT_TRUE(mSystem.Init());
        mAfterInit = Clock::now();
    }

    std::unique_ptr<AudioSound> Load(const char* name, const std::vector<float>& samples, SoundStorage storage,
                                     int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
        auto sound = mSystem.CreateSound(AudioTest::WriteSound(name, format, 1, AudioTest::Rate, samples), storage);
        EXPECT_NE(sound, nullptr);
        return sound;
    }

    // Closes the device so the file is complete, then reads it.
    AudioTest::Output Finish() {
        mSystem.Release();
        AudioTest::Output output = AudioTest::ReadOutput();
        EXPECT_EQ(output.Rate, AudioTest::Rate);
        return output;
    }

    AudioSystem mSystem;
    Clock::time_point mBeforeInit;
    Clock::time_point mAfterInit;
};

TEST_F(OutputTest, SoundAppearsInTheOutputAfterPlayAndNotBefore) {
    auto sound = Load("beep.wav", Pieces({{LevelA, 4410}}), SoundStorage::Sample);
    AudioTest::Pump(mSystem, 250ms);
    const auto playAt = Clock::now();
    AudioChannel channel = mSystem.Play(*sound, false);
    EXPECT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !channel.IsPlaying(); }, 2000ms));

    const AudioTest::Output output = Finish();
    const size_t first = output.FirstSound();
    ASSERT_NE(first, std::string::npos) << "nothing was heard";
    EXPECT_GE(first, output.FrameAt(SecondsBetween(mAfterInit, playAt) - WriterSlackSeconds));
    EXPECT_EQ(AudioTest::SoundingRuns(output), (std::vector<LevelRun>{{'A', 4410}}));
}

TEST_F(OutputTest, SampleLoopPointsPlayTheIntroThenRepeatTheSectionThenTheTail) {
    auto sound = Load("looped.wav", Pieces({{LevelA, 2000}, {LevelB, 1500}, {LevelC, 1000}, {LevelD, 1200}}),
                      SoundStorage::Sample);
    ASSERT_TRUE(sound->SetLoopPoints(2000, 4499));
    ASSERT_TRUE(sound->SetLoopCount(2));
    AudioChannel channel = mSystem.Play(*sound, false);
    EXPECT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !channel.IsPlaying(); }, 2000ms));

    const auto runs = AudioTest::SoundingRuns(Finish());
    const std::vector<LevelRun> expected = {{'A', 2000}, {'B', 1500}, {'C', 1000}, {'B', 1500},
                                            {'C', 1000}, {'B', 1500}, {'C', 1000}, {'D', 1200}};
    EXPECT_EQ(runs, expected) << AudioTest::Describe(runs);
}

TEST_F(OutputTest, PausedChannelTakesItsLoopCountBeforeTheFirstFrame) {
    // What a looping cue does: play paused, ask for endless repeats, then unpause.
    auto sound = Load("cue.wav", Pieces({{LevelA, 1000}, {LevelB, 800}}), SoundStorage::Sample);
    ASSERT_TRUE(sound->SetLoopPoints(1000, 1799));
    AudioChannel channel = mSystem.Play(*sound, true);
    channel.SetLoopCount(-1);
    channel.SetPaused(false);
    AudioTest::Pump(mSystem, 200ms);
    EXPECT_TRUE(channel.IsPlaying());

    const auto runs = AudioTest::SoundingRuns(Finish());
    ASSERT_GE(runs.size(), 2u) << AudioTest::Describe(runs);
    EXPECT_EQ(runs[0], (LevelRun{'A', 1000}));
    EXPECT_EQ(runs[1].Level, 'B');
    EXPECT_GT(runs[1].Frames, 3 * 800u) << "the section repeats with no gap";
}

TEST_F(OutputTest, StreamLoopsBackToTheLoopStartPastItsEndUntilStopped) {
    auto music = Load("music.flac", Pieces({{LevelA, 3000}, {LevelB, 4000}, {LevelC, 2000}, {LevelD, 3000}}),
                      SoundStorage::Stream, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    ASSERT_TRUE(music->SetLoopPoints(3000, 8999));
    ASSERT_TRUE(music->SetLoopCount(-1));
    AudioChannel channel = mSystem.Play(*music, false);
    AudioTest::Pump(mSystem, 700ms);  // over two and a half times the file's length
    EXPECT_TRUE(channel.IsPlaying());
    const auto stopAt = Clock::now();
    channel.Stop();
    AudioTest::Pump(mSystem, 150ms);

    const AudioTest::Output output = Finish();
    EXPECT_LE(output.LastSound(), output.FrameAt(SecondsBetween(mBeforeInit, stopAt) + WriterSlackSeconds));
    std::vector<LevelRun> runs = AudioTest::SoundingRuns(output);
    ASSERT_GE(runs.size(), 7u) << AudioTest::Describe(runs);
    runs.pop_back();  // cut off by the stop
    EXPECT_EQ(runs[0], (LevelRun{'A', 3000}));
    for (size_t i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i], (i % 2 == 1 ? LevelRun{'B', 4000} : LevelRun{'C', 2000}))
            << "run " << i << ": " << AudioTest::Describe(runs);
    }
}

TEST_F(OutputTest, StreamWithAFiniteLoopCountPlaysOnToItsEndAndFinishes) {
    auto music = Load("jingle.wav", Pieces({{LevelA, 3000}, {LevelB, 4000}, {LevelD, 3000}}), SoundStorage::Stream,
                      SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_TRUE(music->SetLoopPoints(3000, 6999));
    ASSERT_TRUE(music->SetLoopCount(1));
    AudioChannel channel = mSystem.Play(*music, false);
    EXPECT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !channel.IsPlaying(); }, 2000ms));

    const auto runs = AudioTest::SoundingRuns(Finish());
    EXPECT_EQ(runs, (std::vector<LevelRun>{{'A', 3000}, {'B', 8000}, {'D', 3000}})) << AudioTest::Describe(runs);
}

TEST_F(OutputTest, DoublingTheFrequencyPlaysTwiceAsFast) {
    auto sound = Load("pitch.wav", Pieces({{LevelA, 4410}}), SoundStorage::Sample);
    AudioChannel fast = mSystem.Play(*sound, true);
    fast.SetFrequency(2.0f * sound->DefaultFrequency());
    fast.SetPaused(false);
    ASSERT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !fast.IsPlaying(); }, 2000ms));
    AudioTest::Pump(mSystem, 30ms);

    ASSERT_TRUE(sound->SetDefaultFrequency(AudioTest::Rate / 2.0f));
    AudioChannel slow = mSystem.Play(*sound, false);
    ASSERT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !slow.IsPlaying(); }, 2000ms));

    std::vector<LevelRun> runs = AudioTest::SoundingRuns(Finish());
    // Slowed down, the last frame is interpolated towards the silence after it.
    std::erase_if(runs, [](const LevelRun& run) { return run.Level == '?' && run.Frames <= 2; });
    ASSERT_EQ(runs.size(), 2u) << AudioTest::Describe(runs);
    EXPECT_NEAR(static_cast<double>(runs[0].Frames), 2205.0, 2.0);
    EXPECT_NEAR(static_cast<double>(runs[1].Frames), 8820.0, 2.0);
}

TEST_F(OutputTest, MutedSilentAndMasterMutedChannelsWriteSilence) {
    auto sound = Load("hum.wav", Pieces({{LevelA, 4410}}), SoundStorage::Sample);
    ASSERT_TRUE(sound->SetLoopCount(-1));
    AudioChannel channel = mSystem.Play(*sound, true);
    channel.SetMuted(true);
    channel.SetPaused(false);
    AudioTest::Pump(mSystem, 100ms);
    channel.SetMuted(false);
    channel.SetVolume(0.0f);
    AudioTest::Pump(mSystem, 100ms);
    mSystem.SetMasterMuted(true);
    channel.SetVolume(1.0f);
    AudioTest::Pump(mSystem, 100ms);
    EXPECT_TRUE(channel.IsPlaying());
    const auto audibleAt = Clock::now();
    mSystem.SetMasterMuted(false);
    AudioTest::Pump(mSystem, 100ms);

    const AudioTest::Output output = Finish();
    const size_t first = output.FirstSound();
    ASSERT_NE(first, std::string::npos) << "nothing was heard once everything was on";
    EXPECT_GE(first, output.FrameAt(SecondsBetween(mAfterInit, audibleAt) - WriterSlackSeconds));
}

}  // namespace
