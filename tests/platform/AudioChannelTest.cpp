#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "AudioTestSupport.h"
#include "platform/audio/AudioSystem.h"

namespace {

using namespace std::chrono_literals;
using AudioTest::Pieces;
using AudioTest::WriteWav;

class ChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mSystem.Init(AudioSystem::DefaultChannelCount));
        mLong = Load("long.wav", 44100);
        mShort = Load("short.wav", 441);
    }

    std::unique_ptr<AudioSound> Load(const std::string& name, size_t frames,
                                     SoundStorage storage = SoundStorage::Sample) {
        auto sound = mSystem.CreateSound(WriteWav(name, Pieces({{0.5f, frames}})), storage);
        EXPECT_NE(sound, nullptr);
        return sound;
    }

    AudioSystem mSystem;
    std::unique_ptr<AudioSound> mLong;
    std::unique_ptr<AudioSound> mShort;
};

TEST_F(ChannelTest, PlayingPausedKeepsTheChannelUntilUnpaused) {
    AudioChannel channel = mSystem.Play(*mShort, true);
    ASSERT_TRUE(channel);
    EXPECT_TRUE(channel.IsPlaying());
    EXPECT_TRUE(channel.IsPaused());
    AudioTest::Pump(mSystem, 60ms);
    EXPECT_TRUE(channel.IsPlaying()) << "a paused channel waits however short its sound";

    channel.SetPaused(false);
    EXPECT_FALSE(channel.IsPaused());
    EXPECT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !channel.IsPlaying(); }, 2000ms));
}

TEST_F(ChannelTest, EndedStoppedAndDefaultHandlesAreStaleAndHarmless) {
    AudioChannel ended = mSystem.Play(*mShort, false);
    ASSERT_TRUE(AudioTest::PumpUntil(
        mSystem, [&] { return !ended.IsPlaying(); }, 2000ms));

    AudioChannel stopped = mSystem.Play(*mLong, false);
    stopped.Stop();
    EXPECT_FALSE(stopped.IsPlaying());

    // New channels land in the freed slots; no old handle may reach them.
    AudioChannel first = mSystem.Play(*mLong, false);
    AudioChannel second = mSystem.Play(*mLong, false);
    const AudioChannel never;
    EXPECT_FALSE(never);
    for (AudioChannel stale : {ended, stopped, never}) {
        stale.SetPaused(true);
        stale.SetMuted(true);
        stale.SetVolume(0.0f);
        stale.SetFrequency(1000.0f);
        stale.SetLoopCount(-1);
        stale.Stop();
        EXPECT_FALSE(stale.IsPlaying());
        EXPECT_FALSE(stale.IsPaused());
        EXPECT_EQ(stale.Frequency(), 0.0f);
    }
    for (const AudioChannel& live : {first, second}) {
        EXPECT_TRUE(live.IsPlaying());
        EXPECT_FALSE(live.IsPaused());
        EXPECT_EQ(live.Frequency(), 44100.0f);
    }
}

TEST_F(ChannelTest, FrequencyStartsAtTheSoundDefaultAndIgnoresNonsense) {
    AudioChannel channel = mSystem.Play(*mLong, true);
    EXPECT_EQ(channel.Frequency(), 44100.0f);
    channel.SetFrequency(88200.0f);
    EXPECT_EQ(channel.Frequency(), 88200.0f);
    channel.SetFrequency(0.0f);
    channel.SetFrequency(-5.0f);
    EXPECT_EQ(channel.Frequency(), 88200.0f);

    ASSERT_TRUE(mLong->SetDefaultFrequency(11025.0f));
    EXPECT_EQ(channel.Frequency(), 88200.0f) << "a playing channel keeps its own rate";
    EXPECT_EQ(mSystem.Play(*mLong, true).Frequency(), 11025.0f);
}

TEST_F(ChannelTest, TheHundredAndFirstPlayTakesOverTheOldestChannelThatDoesNotRepeat) {
    std::vector<AudioChannel> channels;
    for (int i = 0; i < AudioSystem::DefaultChannelCount; ++i) {
        channels.push_back(mSystem.Play(*mLong, false));
        ASSERT_TRUE(channels.back().IsPlaying()) << i;
    }
    channels[0].SetLoopCount(-1);
    channels[2].SetLoopCount(3);

    AudioChannel extra = mSystem.Play(*mShort, false);
    ASSERT_TRUE(extra);
    EXPECT_TRUE(extra.IsPlaying());
    EXPECT_EQ(extra.Frequency(), 44100.0f);
    for (size_t i = 0; i < channels.size(); ++i) {
        EXPECT_EQ(channels[i].IsPlaying(), i != 1) << "channel " << i;
    }
    // The newcomer in slot 1 is not reachable through the handle it replaced.
    channels[1].SetPaused(true);
    EXPECT_FALSE(extra.IsPaused());
}

TEST_F(ChannelTest, WhenEveryChannelRepeatsTheOldestIsTakenOver) {
    ASSERT_TRUE(mLong->SetLoopCount(-1));
    std::vector<AudioChannel> channels;
    for (int i = 0; i < AudioSystem::DefaultChannelCount; ++i) {
        channels.push_back(mSystem.Play(*mLong, i % 2 == 0));
    }
    EXPECT_TRUE(mSystem.Play(*mShort, false).IsPlaying());
    EXPECT_FALSE(channels[0].IsPlaying());
    EXPECT_TRUE(channels[1].IsPlaying());
    EXPECT_TRUE(channels.back().IsPlaying());
}

TEST_F(ChannelTest, ReleasingASoundStopsItsChannelsOnly) {
    AudioChannel a = mSystem.Play(*mLong, false);
    AudioChannel b = mSystem.Play(*mLong, true);
    AudioChannel other = mSystem.Play(*mShort, true);
    mLong.reset();
    EXPECT_FALSE(a.IsPlaying());
    EXPECT_FALSE(b.IsPlaying());
    EXPECT_TRUE(other.IsPlaying());
    mSystem.Update();
}

TEST_F(ChannelTest, PlayingAStreamAgainStartsItOverOnOneChannel) {
    auto music = Load("music.wav", 44100, SoundStorage::Stream);
    ASSERT_TRUE(music->SetLoopCount(-1));
    AudioChannel first = mSystem.Play(*music, false);
    AudioTest::Pump(mSystem, 20ms);
    AudioChannel second = mSystem.Play(*music, false);
    EXPECT_FALSE(first.IsPlaying());
    EXPECT_TRUE(second.IsPlaying());
    AudioTest::Pump(mSystem, 20ms);
    EXPECT_TRUE(second.IsPlaying());
}

TEST_F(ChannelTest, AfterReleaseEveryCallIsHarmless) {
    AudioChannel channel = mSystem.Play(*mLong, false);
    mSystem.SetMasterMuted(true);
    EXPECT_TRUE(mSystem.IsMasterMuted());
    mSystem.Release();

    EXPECT_FALSE(channel.IsPlaying());
    channel.SetVolume(0.5f);
    channel.Stop();
    EXPECT_FALSE(mSystem.IsMasterMuted());
    mSystem.SetMasterMuted(true);
    mSystem.Update();
    mSystem.Release();
    EXPECT_FALSE(mSystem.Play(*mShort, false));
    mShort.reset();
}

TEST_F(ChannelTest, SoundsMayOutliveTheirSystem) {
    auto system = std::make_unique<AudioSystem>();
    ASSERT_TRUE(system->Init());
    auto sample = system->CreateSound(WriteWav("outlive.wav", Pieces({{0.5f, 1000}})), SoundStorage::Sample);
    auto stream = system->CreateSound(WriteWav("outlive.wav", Pieces({{0.5f, 1000}})), SoundStorage::Stream);
    AudioChannel a = system->Play(*sample, false);
    AudioChannel b = system->Play(*stream, false);
    system.reset();
    EXPECT_FALSE(a.IsPlaying());
    EXPECT_FALSE(b.IsPlaying());
    sample.reset();
    stream.reset();
}

TEST_F(ChannelTest, SoundsOfAnotherSystemDoNotPlay) {
    AudioSystem other;
    auto foreign = other.CreateSound(WriteWav("foreign.wav", Pieces({{0.5f, 1000}})), SoundStorage::Sample);
    ASSERT_NE(foreign, nullptr);
    EXPECT_FALSE(mSystem.Play(*foreign, false));
}

TEST(NoDeviceTest, WithoutADeviceSoundsLoadAndNothingPlays) {
    const auto path = WriteWav("quiet.wav", Pieces({{0.5f, 1000}}));
    AudioTest::NoOutputDevice noDevice;
    AudioSystem system;
    EXPECT_FALSE(system.Init());

    std::string error;
    auto sound = system.CreateSound(path, SoundStorage::Sample, &error);
    ASSERT_NE(sound, nullptr) << error;
    EXPECT_EQ(system.CreateSound(AudioTest::ScratchDir() / "none.wav", SoundStorage::Sample), nullptr);

    AudioChannel channel = system.Play(*sound, false);
    EXPECT_FALSE(channel);
    EXPECT_FALSE(channel.IsPlaying());
    channel.SetPaused(false);
    system.Update();
    // The switch still reads back, so a mute toggle keeps its state.
    system.SetMasterMuted(true);
    EXPECT_TRUE(system.IsMasterMuted());
}

}  // namespace
