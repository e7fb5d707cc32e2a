#include "ContentTestSupport.h"

#include "tools/io/Bytes.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cmath>

namespace qv::tools::test {
namespace {

struct Decoded {
    SF_INFO Info{};
    std::vector<float> Samples;
};

Decoded Decode(const std::filesystem::path& path) {
    Decoded d;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &d.Info);
    if (file == nullptr)
        throw std::runtime_error(path.string() + ": " + sf_strerror(nullptr));
    d.Samples.resize(static_cast<std::size_t>(d.Info.frames) * d.Info.channels);
    const sf_count_t read = sf_readf_float(file, d.Samples.data(), d.Info.frames);
    sf_close(file);
    if (read != d.Info.frames)
        throw std::runtime_error(path.string() + ": short read");
    return d;
}

float Peak(const std::vector<float>& samples) {
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

TEST(AudioContent, EveryCueHasAShortAudible16BitWav) {
    const std::vector<std::string> cues = {
        "AntSackRupture", "BulletWallHit", "DebugBlip",     "EnemyDamage", "EnemyDie",  "EnemySpawn",    "ErrorBuzz",
        "ExitReached",    "ExitReveal",    "LevelComplete", "LevelSelect", "LowAmmo",   "MenuBlip",      "NewBest",
        "Pause",          "PillSpawn",     "PistolPickup",  "PistolShot",  "PlayerDie", "PlayerRespawn", "ShotgunBlast",
        "TransitionOff",  "TransitionOn",  "Unlock",        "Unpause"};
    const auto folder = GeneratedContent() / "Sounds" / "Main";
    EXPECT_EQ(FilesWithExtension(folder, ".wav").size(), cues.size());
    for (const std::string& cue : cues) {
        SCOPED_TRACE(cue);
        const Decoded sound = Decode(folder / (cue + ".wav"));
        EXPECT_EQ(sound.Info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(sound.Info.samplerate, 44100);
        EXPECT_GT(sound.Info.frames, 44100 / 50);
        EXPECT_LT(sound.Info.frames, 44100 * 2);
        const float peak = Peak(sound.Samples);
        EXPECT_GT(peak, 0.3f);
        EXPECT_LT(peak, 0.95f) << "clipped";
        EXPECT_LT(std::abs(sound.Samples.back()), 0.02f) << "ends with a click";
    }
}

struct Track {
    Decoded Audio;
    long long LoopStart = 0;
    long long LoopEnd = 0;
};

Track ReadTrack(const std::string& name) {
    Track track;
    const auto folder = GeneratedContent() / "Music";
    track.Audio = Decode(folder / (name + ".ogg"));
    boost::property_tree::ptree loop;
    boost::property_tree::read_json((folder / (name + ".json")).string(), loop);
    track.LoopStart = IntAt(loop, "LoopStartSample");
    track.LoopEnd = IntAt(loop, "LoopEndSample");
    return track;
}

TEST(AudioContent, EveryTrackDecodesAndItsLoopLiesInsideIt) {
    for (const char* name : {"Psy1", "Psy2", "Bonus", "LevelSelect1"}) {
        SCOPED_TRACE(name);
        const Track track = ReadTrack(name);
        EXPECT_EQ(track.Audio.Info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_OGG);
        EXPECT_EQ(track.Audio.Info.format & SF_FORMAT_SUBMASK, SF_FORMAT_VORBIS);
        EXPECT_EQ(track.Audio.Info.samplerate, 44100);
        const double seconds = static_cast<double>(track.Audio.Info.frames) / 44100;
        EXPECT_GE(seconds, 20.0);
        EXPECT_LE(seconds, 40.0);
        EXPECT_GT(track.LoopStart, 0) << "an intro plays before the loop";
        EXPECT_LT(track.LoopStart, track.LoopEnd);
        EXPECT_LT(track.LoopEnd, track.Audio.Info.frames) << "the loop end is inclusive";
        EXPECT_GT(Peak(track.Audio.Samples), 0.3f);
    }
}

TEST(AudioContent, TracksEndAtTheirLoopEnd) {
    // Audio after the loop's end would never be heard; the ringing-out is folded back onto the loop's start instead.
    for (const char* name : {"Psy1", "Psy2", "Bonus", "LevelSelect1"}) {
        const Track track = ReadTrack(name);
        EXPECT_EQ(track.LoopEnd, track.Audio.Info.frames - 1) << name;
    }
}

TEST(AudioContent, CommittedLoopPointsMatchTheGeneratedOnes) {
    for (const char* name : {"Psy1", "Psy2", "Bonus", "LevelSelect1"}) {
        const std::string file = std::string(name) + ".json";
        EXPECT_EQ(ReadFileBytes(CommittedContent() / "Music" / file),
                  ReadFileBytes(GeneratedContent() / "Music" / file))
            << file << " is stale: run `ninja content` and commit it";
    }
}

}  // namespace
}  // namespace qv::tools::test
