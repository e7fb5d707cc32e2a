#pragma once

#include <cstdint>
#include <vector>

namespace qv::tools {

constexpr int kSampleRate = 44100;

enum class Wave { Sine, Triangle, Square, Saw, Noise };

// Amplitude over a layer's life: a linear attack, a body that falls as
// (1 - t / duration) ^ Curve (0 holds the level), and a short release ramp so
// the layer always ends at silence instead of a click.
struct Envelope {
    float Attack = 0.004f;
    float Curve = 2.0f;
    float Release = 0.01f;
};

// One sounding element: an oscillator with its pitch glide, envelope, filter
// and modulation. Sound effects and music notes are both lists of layers.
struct Layer {
    Wave Shape = Wave::Sine;
    float Start = 0;        // seconds
    float Duration = 0.1f;  // seconds
    float FromHz = 440;     // pitch at the start; glides exponentially to ToHz
    float ToHz = 440;       // for noise: the sample-and-hold rate, 0 for white noise
    float Gain = 0.5f;
    Envelope Env;
    float Duty = 0.5f;  // pulse width of the square wave
    float VibratoHz = 0;
    float VibratoSemitones = 0;
    float FmRatio = 0;  // a sine modulator at this multiple of the pitch: bells, metal
    float FmIndex = 0;
    float LowpassFromHz = 0;  // 0 leaves the layer unfiltered
    float LowpassToHz = 0;
    float Resonance = 0.7f;  // of the low-pass; higher rings more
    float HighpassHz = 0;
    float Pan = 0;           // -1 left .. 1 right, for stereo buffers
    std::uint32_t Seed = 1;  // noise seed
};

// Interleaved float samples that layers are mixed into.
class AudioBuffer {
public:
    AudioBuffer(int channels, int frames);

    int Channels() const { return mChannels; }
    int Frames() const { return static_cast<int>(mSamples.size()) / mChannels; }
    const std::vector<float>& Samples() const { return mSamples; }
    float& At(int frame, int channel) { return mSamples[static_cast<std::size_t>(frame) * mChannels + channel]; }

    // Mixes the layer in; the part beyond the buffer's end is dropped.
    void Render(const Layer& layer);
    void Render(const std::vector<Layer>& layers);

    // Scales so the loudest sample has the given magnitude (silence stays silent).
    void Normalize(float peak);
    // A feedback echo: each repeat `delaySeconds` later and `feedback` times quieter.
    void Echo(float delaySeconds, float feedback, float mix);
    // Keeps the first `frames` frames; the rest is returned, for folding loop tails back.
    AudioBuffer SplitAt(int frame);
    // Adds another buffer's samples starting at `frame`.
    void MixIn(const AudioBuffer& other, int frame);

private:
    int mChannels;
    std::vector<float> mSamples;
};

inline int SecondsToFrames(double seconds) {
    return static_cast<int>(seconds * kSampleRate + 0.5);
}
// Frequency of a MIDI note number (69 = A 440 Hz).
float NoteHz(float midiNote);

}  // namespace qv::tools
