#include "AudioTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/audio/AudioSystem.h"

namespace AudioTest {
namespace {

std::filesystem::path gScratch;

std::filesystem::path OutputFolder() {
    return gScratch / "output";
}

// Points OpenAL Soft at the wave writer before any test can open a device.
class WaveOutputEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-audio-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        gScratch = pattern;
        std::filesystem::create_directories(OutputFolder());
        const std::filesystem::path config = gScratch / "alsoft.conf";
        std::ofstream(config) << "[general]\ndrivers=wave\n[wave]\nfile=" << OutputFile().string() << "\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(gScratch, ignored);
    }
};

[[maybe_unused]] const ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new WaveOutputEnvironment);

char LevelOf(float value, float loudest) {
    const float scaled = value / loudest;
    if (std::fabs(scaled) < 0.05f) {
        return '.';
    }
    const std::pair<char, float> levels[] = {{'A', LevelA}, {'B', LevelB}, {'C', LevelC}, {'D', LevelD}};
    for (const auto& [name, level] : levels) {
        if (std::fabs(scaled - level / LevelA) < 0.1f) {
            return name;
        }
    }
    return '?';
}

}  // namespace

std::filesystem::path ScratchDir() {
    return gScratch;
}

std::filesystem::path OutputFile() {
    return OutputFolder() / "mix.wav";
}

std::vector<float> Pieces(const std::vector<std::pair<float, size_t>>& pieces) {
    std::vector<float> samples;
    for (const auto& [level, frames] : pieces) {
        samples.insert(samples.end(), frames, level);
    }
    return samples;
}

std::filesystem::path WriteSound(const std::string& name, int format, int channels, int rate,
                                 const std::vector<float>& samples) {
    const std::filesystem::path path = ScratchDir() / name;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (file != nullptr) {
        sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / channels));
        sf_close(file);
    }
    return path;
}

std::filesystem::path WriteWav(const std::string& name, const std::vector<float>& monoSamples) {
    return WriteSound(name, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, Rate, monoSamples);
}

void Pump(AudioSystem& system, std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        system.Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < end);
}

size_t Output::FirstSound() const {
    for (size_t i = 0; i < Left.size(); ++i) {
        if (std::fabs(Left[i]) > 0.001f) {
            return i;
        }
    }
    return std::string::npos;
}

size_t Output::LastSound() const {
    for (size_t i = Left.size(); i-- > 0;) {
        if (std::fabs(Left[i]) > 0.001f) {
            return i;
        }
    }
    return std::string::npos;
}

Output ReadOutput() {
    Output output;
    SF_INFO info{};
    SNDFILE* file = sf_open(OutputFile().c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << OutputFile() << ": " << sf_strerror(nullptr);
    if (file == nullptr) {
        return output;
    }
    std::vector<float> interleaved(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    output.Rate = info.samplerate;
    for (size_t i = 0; i < interleaved.size(); i += static_cast<size_t>(info.channels)) {
        output.Left.push_back(interleaved[i]);
    }
    return output;
}

std::vector<LevelRun> Runs(const Output& output) {
    float loudest = 0.0f;
    for (float value : output.Left) {
        loudest = std::max(loudest, std::fabs(value));
    }
    std::vector<LevelRun> runs;
    for (float value : output.Left) {
        const char level = loudest > 0.0f ? LevelOf(value, loudest) : '.';
        if (runs.empty() || runs.back().Level != level) {
            runs.push_back({level, 0});
        }
        ++runs.back().Frames;
    }
    return runs;
}

std::vector<LevelRun> SoundingRuns(const Output& output) {
    std::vector<LevelRun> sounding;
    for (const LevelRun& run : Runs(output)) {
        if (run.Level != '.') {
            sounding.push_back(run);
        }
    }
    return sounding;
}

std::string Describe(const std::vector<LevelRun>& runs) {
    std::string text;
    for (const LevelRun& run : runs) {
        text += run.Level + std::to_string(run.Frames) + " ";
    }
    return text;
}

NoOutputDevice::NoOutputDevice() {
    std::filesystem::remove_all(OutputFolder());
}

NoOutputDevice::~NoOutputDevice() {
    std::filesystem::create_directories(OutputFolder());
}

}  // namespace AudioTest
