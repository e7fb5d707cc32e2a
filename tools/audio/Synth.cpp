#include "tools/audio/Synth.h"

#include "tools/draw/Noise.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qv::tools {

namespace {

constexpr double kTwoPi = 6.283185307179586;

float WhiteNoise(std::uint32_t seed, std::uint32_t index) {
    return static_cast<float>(Hash32(index * 0x9E3779B9u + seed) & 0xFFFFFF) / static_cast<float>(0x7FFFFF) - 1.0f;
}

float Oscillate(Wave shape, double phase, float duty) {
    const double f = phase - std::floor(phase);
    switch (shape) {
        case Wave::Sine: return static_cast<float>(std::sin(kTwoPi * f));
        case Wave::Triangle: return static_cast<float>(f < 0.5 ? 4 * f - 1 : 3 - 4 * f);
        case Wave::Square: return f < duty ? 1.0f : -1.0f;
        case Wave::Saw: return static_cast<float>(2 * f - 1);
        case Wave::Noise: break;
    }
    return 0;
}

float EnvelopeAt(const Envelope& env, float t, float duration) {
    const float attack = env.Attack > 0 ? std::min(1.0f, t / env.Attack) : 1.0f;
    const float u = std::clamp(t / duration, 0.0f, 1.0f);
    const float body = env.Curve > 0 ? std::pow(1.0f - u, env.Curve) : 1.0f;
    const float release = env.Release > 0 ? std::clamp((duration - t) / env.Release, 0.0f, 1.0f) : 1.0f;
    return attack * body * release;
}

// Pitch glides exponentially, so a sweep sounds even across octaves.
float Glide(float from, float to, float u) {
    if (from <= 0 || to <= 0)
        return from + (to - from) * u;
    return from * std::pow(to / from, u);
}

// Zero-delay-feedback state-variable filter: stable at any cutoff, so sweeps
// may run up to the top of the spectrum.
class StateVariableFilter {
public:
    void SetCutoff(float hz, float resonance) {
        const float limited = std::clamp(hz, 20.0f, kSampleRate * 0.45f);
        mG = static_cast<float>(std::tan(kTwoPi * 0.5 * limited / kSampleRate));
        mK = 1.0f / std::max(resonance, 0.1f);
    }
    float LowPass(float input) {
        const float v3 = input - mIc2;
        const float v1 = (mG * v3 + mIc1) / (1 + mG * (mG + mK));
        const float v2 = mIc2 + mG * v1;
        mIc1 = 2 * v1 - mIc1;
        mIc2 = 2 * v2 - mIc2;
        return v2;
    }

private:
    float mG = 0, mK = 1, mIc1 = 0, mIc2 = 0;
};

class OnePoleHighPass {
public:
    explicit OnePoleHighPass(float hz) : mA(static_cast<float>(std::exp(-kTwoPi * hz / kSampleRate))) {}
    float Process(float input) {
        const float out = mA * (mLastOut + input - mLastIn);
        mLastIn = input;
        mLastOut = out;
        return out;
    }

private:
    float mA, mLastIn = 0, mLastOut = 0;
};

}  // namespace

float NoteHz(float midiNote) {
    return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f);
}

AudioBuffer::AudioBuffer(int channels, int frames) : mChannels(channels) {
    if (channels < 1 || channels > 2 || frames < 0)
        throw std::invalid_argument("AudioBuffer: 1 or 2 channels and no negative length");
    mSamples.assign(static_cast<std::size_t>(frames) * channels, 0.0f);
}

void AudioBuffer::Render(const Layer& layer) {
    if (layer.Duration <= 0)
        return;
    const int first = SecondsToFrames(layer.Start);
    const int count = SecondsToFrames(layer.Duration);
    const float leftGain = mChannels == 2 ? std::sqrt(0.5f * (1 - layer.Pan)) : 1.0f;
    const float rightGain = std::sqrt(0.5f * (1 + layer.Pan));
    const bool filtered = layer.LowpassFromHz > 0;
    StateVariableFilter lowPass;
    OnePoleHighPass highPass(std::max(layer.HighpassHz, 1.0f));
    double phase = 0, modulatorPhase = 0, holdPhase = 1;
    float held = 0;
    std::uint32_t noiseIndex = 0;
    for (int i = 0; i < count; ++i) {
        const int frame = first + i;
        if (frame >= Frames())
            break;
        const float t = static_cast<float>(i) / kSampleRate;
        const float u = static_cast<float>(i) / count;
        float hz = Glide(layer.FromHz, layer.ToHz, u);
        if (layer.VibratoSemitones != 0) {
            hz *= std::pow(2.0f,
                           layer.VibratoSemitones / 12.0f * static_cast<float>(std::sin(kTwoPi * layer.VibratoHz * t)));
        }
        float sample;
        if (layer.Shape == Wave::Noise) {
            // Sample-and-hold at the glide rate gives pitched crunch; rate 0 is plain white noise.
            holdPhase += hz / kSampleRate;
            if (hz <= 0 || holdPhase >= 1) {
                holdPhase -= std::floor(holdPhase);
                held = WhiteNoise(layer.Seed, noiseIndex++);
            }
            sample = held;
        } else {
            double modulated = phase;
            if (layer.FmIndex != 0) {
                modulated += layer.FmIndex * std::sin(kTwoPi * modulatorPhase) / kTwoPi;
                modulatorPhase += hz * layer.FmRatio / kSampleRate;
            }
            sample = Oscillate(layer.Shape, modulated, layer.Duty);
            phase += hz / kSampleRate;
        }
        if (filtered) {
            if (i % 8 == 0)
                lowPass.SetCutoff(Glide(layer.LowpassFromHz, layer.LowpassToHz, u), layer.Resonance);
            sample = lowPass.LowPass(sample);
        }
        if (layer.HighpassHz > 0)
            sample = highPass.Process(sample);
        sample *= layer.Gain * EnvelopeAt(layer.Env, t, layer.Duration);
        if (mChannels == 2) {
            At(frame, 0) += sample * leftGain;
            At(frame, 1) += sample * rightGain;
        } else {
            At(frame, 0) += sample;
        }
    }
}

void AudioBuffer::Render(const std::vector<Layer>& layers) {
    for (const Layer& layer : layers)
        Render(layer);
}

void AudioBuffer::Normalize(float peak) {
    float loudest = 0;
    for (float s : mSamples)
        loudest = std::max(loudest, std::abs(s));
    if (loudest <= 0)
        return;
    const float scale = peak / loudest;
    for (float& s : mSamples)
        s *= scale;
}

void AudioBuffer::Echo(float delaySeconds, float feedback, float mix) {
    const int delay = SecondsToFrames(delaySeconds);
    if (delay <= 0)
        return;
    std::vector<float> wet(mSamples.size(), 0.0f);
    const std::size_t stride = static_cast<std::size_t>(delay) * mChannels;
    for (std::size_t i = stride; i < mSamples.size(); ++i) {
        // Ping-pong: each repeat crosses to the other channel in stereo.
        const std::size_t source = mChannels == 2 ? ((i - stride) ^ 1u) : i - stride;
        wet[i] = (mSamples[source] + wet[source]) * feedback;
    }
    for (std::size_t i = 0; i < mSamples.size(); ++i)
        mSamples[i] += wet[i] * mix;
}

AudioBuffer AudioBuffer::SplitAt(int frame) {
    frame = std::clamp(frame, 0, Frames());
    AudioBuffer rest(mChannels, Frames() - frame);
    std::copy(mSamples.begin() + static_cast<std::ptrdiff_t>(frame) * mChannels, mSamples.end(), rest.mSamples.begin());
    mSamples.resize(static_cast<std::size_t>(frame) * mChannels);
    return rest;
}

void AudioBuffer::MixIn(const AudioBuffer& other, int frame) {
    if (other.mChannels != mChannels)
        throw std::invalid_argument("AudioBuffer::MixIn: channel counts differ");
    for (int f = 0; f < other.Frames() && frame + f < Frames(); ++f) {
        for (int c = 0; c < mChannels; ++c)
            At(frame + f, c) += other.mSamples[static_cast<std::size_t>(f) * mChannels + c];
    }
}

}  // namespace qv::tools
