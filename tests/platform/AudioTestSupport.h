#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class AudioSystem;

// Helpers of the audio tests. OpenAL Soft reads its configuration once per process, so
// before any test runs the whole test program is pointed at the wave-file writer, each
// process writing a file of its own: every device the tests open mixes into it, and the
// end-to-end tests read it back after releasing their system.
namespace AudioTest {

constexpr int Rate = 44100;

// A scratch folder of this process, removed at exit.
std::filesystem::path ScratchDir();
std::filesystem::path OutputFile();

// Constant levels one after another, each {level, frames}: easy to find in the output.
std::vector<float> Pieces(const std::vector<std::pair<float, size_t>>& pieces);
// Writes interleaved samples with libsndfile (format is an SF_FORMAT_* combination).
std::filesystem::path WriteSound(const std::string& name, int format, int channels, int rate,
                                 const std::vector<float>& samples);
std::filesystem::path WriteWav(const std::string& name, const std::vector<float>& monoSamples);

// Calls Update every few milliseconds for the given time.
void Pump(AudioSystem& system, std::chrono::milliseconds duration);
// Pumps until done() holds or the time runs out; returns done().
template <class Done>
bool PumpUntil(AudioSystem& system, Done done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        Pump(system, std::chrono::milliseconds(5));
    }
    return done();
}

// The left channel of the mixed output; read after the system is released.
struct Output {
    int Rate = 0;
    std::vector<float> Left;

    // Index of the first frame louder than silence, or npos.
    size_t FirstSound() const;
    size_t LastSound() const;
    // The frame the writer had reached after `seconds` of real time, give or take.
    size_t FrameAt(double seconds) const { return static_cast<size_t>(seconds * Rate); }
};
Output ReadOutput();

// A run of output frames at one of the levels Pieces uses: 'A' +0.8, 'B' -0.8,
// 'C' +0.3, 'D' -0.3, '.' silence, '?' anything else, scaled by the loudest frame.
struct LevelRun {
    char Level;
    size_t Frames;
    bool operator==(const LevelRun&) const = default;
};
constexpr float LevelA = 0.8f, LevelB = -0.8f, LevelC = 0.3f, LevelD = -0.3f;
std::vector<LevelRun> Runs(const Output& output);
// The runs without silence, for comparing the order of what sounded.
std::vector<LevelRun> SoundingRuns(const Output& output);
std::string Describe(const std::vector<LevelRun>& runs);

// While alive, the wave writer cannot create its file, so no device opens.
class NoOutputDevice {
public:
    NoOutputDevice();
    ~NoOutputDevice();
    NoOutputDevice(const NoOutputDevice&) = delete;
    NoOutputDevice& operator=(const NoOutputDevice&) = delete;
};

}  // namespace AudioTest
