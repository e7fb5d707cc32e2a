#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "AudioTestSupport.h"
#include "platform/audio/AudioSystem.h"
#include "platform/audio/SoundFile.h"

namespace {

using AudioTest::Pieces;
using AudioTest::WriteSound;
using AudioTest::WriteWav;

// A sound's length as the loop points see it: the last frame a loop may end on.
bool EndsAt(AudioSound& sound, uint32_t lastFrame) {
    return sound.SetLoopPoints(0, lastFrame) && !sound.SetLoopPoints(0, lastFrame + 1);
}

std::vector<float> Tone(int channels, size_t frames, int rate) {
    std::vector<float> samples;
    for (size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            samples.push_back(0.5f * std::sin(2.0f * 3.14159265f * 440.0f * static_cast<float>(i) / rate));
        }
    }
    return samples;
}

struct Encoding {
    const char* Name;
    int Format;
    int Channels;
    int Rate;
    bool ExactLength;  // MP3 frames pad the end
};

class SoundLoadingTest : public ::testing::Test {
protected:
    // Never initialised: loading needs no device.
    AudioSystem mSystem;
};

TEST_F(SoundLoadingTest, DecodesEveryFormatAsSampleAndAsStream) {
    const Encoding encodings[] = {
        {"tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, true},
        {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, 22050, true},
        {"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 48000, true},
        {"tone.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1, 44100, false},
    };
    const size_t frames = 12000;
    for (const Encoding& encoding : encodings) {
        SCOPED_TRACE(encoding.Name);
        const auto path = WriteSound(encoding.Name, encoding.Format, encoding.Channels, encoding.Rate,
                                     Tone(encoding.Channels, frames, encoding.Rate));
        for (SoundStorage storage : {SoundStorage::Sample, SoundStorage::Stream}) {
            std::string error;
            std::unique_ptr<AudioSound> sound = mSystem.CreateSound(path, storage, &error);
            ASSERT_NE(sound, nullptr) << error;
            EXPECT_EQ(sound->DefaultFrequency(), static_cast<float>(encoding.Rate));
            EXPECT_EQ(sound->LoopCount(), 0);
            if (encoding.ExactLength) {
                EXPECT_TRUE(EndsAt(*sound, frames - 1));
            } else {
                EXPECT_TRUE(sound->SetLoopPoints(0, frames / 2));
            }
        }
    }
}

TEST_F(SoundLoadingTest, DecodedFramesAreTheWrittenOnes) {
    // 16-bit values survive a round trip exactly; Vorbis is lossy but keeps the level.
    std::vector<float> ramp;
    for (int i = 0; i < 1000; ++i) {
        ramp.push_back(static_cast<float>(i - 500) / 1024.0f);
        ramp.push_back(-static_cast<float>(i - 500) / 1024.0f);
    }
    std::string error;
    auto wav = SoundFile::Open(WriteSound("ramp.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 8000, ramp), error);
    ASSERT_NE(wav, nullptr) << error;
    EXPECT_EQ(wav->Format().Channels, 2);
    EXPECT_EQ(wav->Format().SampleRate, 8000);
    auto samples = wav->ReadToEnd(std::numeric_limits<uint64_t>::max());
    ASSERT_NE(samples, nullptr);
    ASSERT_EQ(samples->size(), ramp.size());
    for (size_t i = 0; i < ramp.size(); ++i) {
        ASSERT_EQ((*samples)[i], static_cast<int16_t>(std::lround(ramp[i] * 32768.0f))) << "sample " << i;
    }
    // Reading again from a seek position gives the same frames.
    ASSERT_TRUE(wav->Seek(600));
    int16_t frame[2];
    ASSERT_EQ(wav->Read(frame, 1), 1u);
    EXPECT_EQ(frame[0], (*samples)[1200]);
    EXPECT_EQ(wav->Position(), 601u);

    auto ogg = SoundFile::Open(
        WriteSound("level.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, 44100, Pieces({{0.5f, 20000}})), error);
    ASSERT_NE(ogg, nullptr) << error;
    auto decoded = ogg->ReadToEnd(std::numeric_limits<uint64_t>::max());
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(decoded->size(), 20000u);
    EXPECT_NEAR((*decoded)[10000], 16384, 600);
}

TEST_F(SoundLoadingTest, SampleLimitRejectsOverlongFilesWithoutTrustingTheHeader) {
    std::string error;
    auto file = SoundFile::Open(WriteWav("long.wav", Pieces({{0.1f, 70000}})), error);
    ASSERT_NE(file, nullptr) << error;
    EXPECT_EQ(file->ReadToEnd(69999), nullptr);
    ASSERT_TRUE(file->Seek(0));
    auto all = file->ReadToEnd(70000);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->size(), 70000u);
}

TEST_F(SoundLoadingTest, WhatIsNoPlayableAudioIsRefusedWithTheFileAndTheProblem) {
    const auto text = AudioTest::ScratchDir() / "Readme.txt";
    std::ofstream(text) << "These are the sounds of the game.\n";
    const auto quad = WriteSound("quad.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4, 44100, Pieces({{0.1f, 400}}));
    const auto empty = WriteWav("empty.wav", {});
    const auto missing = AudioTest::ScratchDir() / "missing.wav";
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {text, "not a readable audio file"},
        {quad, "4 channels"},
        {empty, "no audio frames"},
        {missing, "cannot open the file for reading: No such file or directory"},
        {AudioTest::ScratchDir(), "it is a folder, not a regular file"},
    };
    for (const auto& [path, problem] : cases) {
        for (SoundStorage storage : {SoundStorage::Sample, SoundStorage::Stream}) {
            std::string error;
            EXPECT_EQ(mSystem.CreateSound(path, storage, &error), nullptr) << path;
            EXPECT_NE(error.find(path.string()), std::string::npos) << error;
            EXPECT_NE(error.find(problem), std::string::npos) << error;
        }
    }
    EXPECT_EQ(mSystem.CreateSound(missing, SoundStorage::Sample), nullptr);  // no error wanted
}

TEST_F(SoundLoadingTest, TruncatedFileKeepsTheFramesItHolds) {
    const auto path = WriteWav("cut.wav", Pieces({{0.25f, 10000}}));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 2 * 4000);
    auto sound = mSystem.CreateSound(path, SoundStorage::Sample);
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(EndsAt(*sound, 5999));
}

TEST_F(SoundLoadingTest, SettingsRejectValuesThatCannotPlay) {
    auto sound = mSystem.CreateSound(WriteWav("set.wav", Pieces({{0.25f, 1000}})), SoundStorage::Sample);
    ASSERT_NE(sound, nullptr);

    EXPECT_FALSE(sound->SetLoopCount(-2));
    EXPECT_EQ(sound->LoopCount(), 0);
    EXPECT_TRUE(sound->SetLoopCount(-1));
    EXPECT_EQ(sound->LoopCount(), -1);

    EXPECT_TRUE(sound->SetLoopPoints(100, 100));
    EXPECT_FALSE(sound->SetLoopPoints(101, 100));
    EXPECT_FALSE(sound->SetLoopPoints(0, 1000));

    for (float bad :
         {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_FALSE(sound->SetDefaultFrequency(bad)) << bad;
    }
    EXPECT_EQ(sound->DefaultFrequency(), 44100.0f);
    EXPECT_TRUE(sound->SetDefaultFrequency(22050.0f));
    EXPECT_EQ(sound->DefaultFrequency(), 22050.0f);
}

TEST_F(SoundLoadingTest, ReleasedSystemLoadsNothingButItsSoundsKeepTheirSettings) {
    const auto path = WriteWav("late.wav", Pieces({{0.25f, 1000}}));
    auto earlier = mSystem.CreateSound(path, SoundStorage::Sample);
    ASSERT_NE(earlier, nullptr);
    mSystem.Release();

    std::string error;
    EXPECT_EQ(mSystem.CreateSound(path, SoundStorage::Sample, &error), nullptr);
    EXPECT_NE(error.find("released"), std::string::npos) << error;
    EXPECT_FALSE(mSystem.Init());
    EXPECT_TRUE(earlier->SetLoopCount(3));
    EXPECT_EQ(earlier->LoopCount(), 3);
    EXPECT_FALSE(mSystem.Play(*earlier, false));
}

}  // namespace
