#include "tools/audio/MusicTracks.h"

#include "tools/audio/Synth.h"
#include "tools/draw/Noise.h"
#include "tools/io/OggVorbisEncoder.h"

#include <array>
#include <sstream>

namespace qv::tools {

namespace {

constexpr int kStepsPerBar = 16;
constexpr float kVorbisQuality = 0.0f;  // about 64 kbit/s: small files, clean enough for synth music
constexpr float kTailSeconds = 3.0f;

// Timing and harmony of one track, shared by its parts.
class Score {
public:
    explicit Score(const TrackRecipe& recipe) : mRecipe(recipe), mStepSeconds(60.0f / recipe.Bpm / 4.0f) {}

    float StepSeconds() const { return mStepSeconds; }
    float StepTime(int bar, int step) const { return (bar * kStepsPerBar + step) * mStepSeconds; }
    int Bars() const { return mRecipe.IntroBars + mRecipe.LoopBars; }
    bool InIntro(int bar) const { return bar < mRecipe.IntroBars; }
    int ChordRoot(int bar) const {
        const int loopBar = bar < mRecipe.IntroBars ? bar : bar - mRecipe.IntroBars;
        const auto& chords = mRecipe.Progression;
        return mRecipe.RootNote + (chords.empty() ? 0 : chords[static_cast<std::size_t>(loopBar) % chords.size()]);
    }
    // The chord's tones as semitones above its root: root, third, fifth, seventh.
    std::array<int, 4> ChordTones() const {
        return mRecipe.Minor ? std::array<int, 4>{0, 3, 7, 10} : std::array<int, 4>{0, 4, 7, 11};
    }
    // A repeatable choice for a bar and step: variation without randomness.
    std::uint32_t Choice(int bar, int step, std::uint32_t salt) const {
        return Hash32(mRecipe.Seed * 0x9E3779B9u + static_cast<std::uint32_t>(bar * kStepsPerBar + step) * 0x85EBCA6Bu +
                      salt);
    }
    const TrackRecipe& Recipe() const { return mRecipe; }

private:
    const TrackRecipe& mRecipe;
    float mStepSeconds;
};

Layer Note(Wave shape, float start, float duration, float midi, float gain, float curve) {
    Layer layer;
    layer.Shape = shape;
    layer.Start = start;
    layer.Duration = duration;
    layer.FromHz = layer.ToHz = NoteHz(midi);
    layer.Gain = gain;
    layer.Env.Curve = curve;
    return layer;
}

Layer Kick(float start) {
    Layer layer = Note(Wave::Sine, start, 0.28f, 0, 0.95f, 2.0f);
    layer.FromHz = 160;
    layer.ToHz = 42;
    return layer;
}

Layer Snare(float start, std::uint32_t seed) {
    Layer layer = Note(Wave::Noise, start, 0.18f, 0, 0.45f, 2.5f);
    layer.FromHz = layer.ToHz = 0;
    layer.LowpassFromHz = 7000;
    layer.LowpassToHz = 2500;
    layer.HighpassHz = 600;
    layer.Seed = seed;
    return layer;
}

Layer HiHat(float start, float length, float gain, float pan, std::uint32_t seed) {
    Layer layer = Note(Wave::Noise, start, length, 0, gain, 3.0f);
    layer.FromHz = layer.ToHz = 0;
    layer.HighpassHz = 7000;
    layer.Pan = pan;
    layer.Seed = seed;
    return layer;
}

void AddDrums(const Score& score, int bar, std::vector<Layer>& out) {
    const MusicStyle style = score.Recipe().Style;
    const bool intro = score.InIntro(bar);
    for (int beat = 0; beat < 4; ++beat) {
        const int step = beat * 4;
        const bool lastIntroBar = intro && bar == score.Recipe().IntroBars - 1;
        if (!intro || (lastIntroBar && style != MusicStyle::Calm))
            out.push_back(Kick(score.StepTime(bar, step)));
        if (intro)
            continue;
        out.push_back(HiHat(score.StepTime(bar, step + 2), 0.09f, 0.16f, 0.3f, score.Choice(bar, step, 1)));
        if (style == MusicStyle::Psy || style == MusicStyle::Acid) {
            out.push_back(HiHat(score.StepTime(bar, step + 1), 0.03f, 0.06f, -0.4f, score.Choice(bar, step, 2)));
            out.push_back(HiHat(score.StepTime(bar, step + 3), 0.03f, 0.07f, -0.4f, score.Choice(bar, step, 3)));
        }
        if ((style == MusicStyle::Bouncy || style == MusicStyle::Calm) && beat % 2 == 1) {
            out.push_back(Snare(score.StepTime(bar, step), score.Choice(bar, step, 4)));
        }
    }
}

void AddBass(const Score& score, int bar, std::vector<Layer>& out) {
    if (score.InIntro(bar) && bar < score.Recipe().IntroBars - 2)
        return;
    const MusicStyle style = score.Recipe().Style;
    const float root = static_cast<float>(score.ChordRoot(bar));
    for (int step = 0; step < kStepsPerBar; ++step) {
        float midi = root;
        bool play;
        if (style == MusicStyle::Psy || style == MusicStyle::Acid) {
            play = step % 4 != 0;  // the rolling bass sits between the kicks
            if (style == MusicStyle::Acid && score.Choice(bar, step, 5) % 5 == 0)
                midi += 12;
        } else if (style == MusicStyle::Bouncy) {
            play = step % 2 == 0;
            if (step % 4 == 2)
                midi += 12;
        } else {
            play = step % 8 == 0;
        }
        if (!play)
            continue;
        const float length = style == MusicStyle::Calm ? score.StepSeconds() * 7 : score.StepSeconds() * 0.9f;
        Layer layer = Note(Wave::Saw, score.StepTime(bar, step), length, midi, 0.42f, 1.0f);
        const float open =
            style == MusicStyle::Acid ? 600.0f + 2400.0f * static_cast<float>((bar * 16 + step) % 64) / 64.0f : 900.0f;
        layer.LowpassFromHz = open * 1.6f;
        layer.LowpassToHz = open * 0.4f;
        layer.Resonance = style == MusicStyle::Acid ? 3.0f : 0.9f;
        out.push_back(layer);
    }
}

void AddArpeggio(const Score& score, int bar, std::vector<Layer>& out) {
    const MusicStyle style = score.Recipe().Style;
    const auto tones = score.ChordTones();
    const Wave shape = style == MusicStyle::Bouncy ? Wave::Triangle
                       : style == MusicStyle::Calm ? Wave::Sine
                                                   : Wave::Saw;
    const int stride = style == MusicStyle::Calm ? 2 : 1;
    for (int step = 0; step < kStepsPerBar; step += stride) {
        // Patterns climb through the chord; a seeded choice varies the octave now and then.
        const std::uint32_t choice = score.Choice(bar, step, 6);
        if (score.InIntro(bar) && step % 4 != 0)
            continue;
        const int tone = tones[static_cast<std::size_t>((step / stride + bar) % 4)];
        const float midi = static_cast<float>(score.ChordRoot(bar) + 24 + tone + (choice % 7 == 0 ? 12 : 0));
        Layer layer = Note(shape, score.StepTime(bar, step), score.StepSeconds() * (stride + 0.5f), midi, 0.16f, 2.0f);
        layer.LowpassFromHz = style == MusicStyle::Calm ? 2500.0f : 5000.0f;
        layer.LowpassToHz = 1200;
        layer.Pan = (step % 2 == 0) ? -0.35f : 0.35f;
        out.push_back(layer);
    }
}

void AddPad(const Score& score, int bar, std::vector<Layer>& out) {
    const auto tones = score.ChordTones();
    const float barSeconds = score.StepSeconds() * kStepsPerBar;
    for (int i = 0; i < 3; ++i) {
        for (float detune : {-0.08f, 0.08f}) {
            const float midi =
                static_cast<float>(score.ChordRoot(bar) + 12 + tones[static_cast<std::size_t>(i)]) + detune;
            Layer layer = Note(Wave::Saw, score.StepTime(bar, 0), barSeconds * 1.05f, midi, 0.06f, 0.0f);
            layer.Env.Attack = barSeconds * 0.3f;
            layer.Env.Release = barSeconds * 0.3f;
            layer.LowpassFromHz = layer.LowpassToHz = 1400;
            layer.Pan = detune < 0 ? -0.6f : 0.6f;
            out.push_back(layer);
        }
    }
}

}  // namespace

std::vector<TrackRecipe> MusicTrackRecipes() {
    return {
        {"Psy1", MusicStyle::Psy, 140, 4, 12, 45, {0, 0, 3, -2}, true, 101},
        {"Psy2", MusicStyle::Acid, 145, 4, 12, 40, {0, 1, 0, -2}, true, 202},
        {"Bonus", MusicStyle::Bouncy, 128, 4, 12, 48, {0, 5, 7, 5}, false, 303},
        {"LevelSelect1", MusicStyle::Calm, 96, 2, 8, 50, {0, 5, -2, 3}, true, 404},
    };
}

RenderedTrack RenderTrack(const TrackRecipe& recipe) {
    const Score score(recipe);
    std::vector<Layer> rhythm, lead;
    for (int bar = 0; bar < score.Bars(); ++bar) {
        AddDrums(score, bar, rhythm);
        AddBass(score, bar, rhythm);
        AddPad(score, bar, rhythm);
        AddArpeggio(score, bar, lead);
    }
    const int loopStart = SecondsToFrames(score.StepTime(recipe.IntroBars, 0));
    const int loopEnd = SecondsToFrames(score.StepTime(score.Bars(), 0));
    const int renderFrames = loopEnd + SecondsToFrames(kTailSeconds);

    AudioBuffer mix(2, renderFrames);
    mix.Render(rhythm);
    AudioBuffer echoed(2, renderFrames);
    echoed.Render(lead);
    echoed.Echo(score.StepSeconds() * 3, 0.45f, 0.6f);
    mix.MixIn(echoed, 0);

    const AudioBuffer tail = mix.SplitAt(loopEnd);
    mix.MixIn(tail, loopStart);
    mix.Normalize(0.8f);
    return {mix.Samples(), {loopStart, loopEnd - 1}};
}

std::string LoopPointsJson(const LoopPoints& loop) {
    std::ostringstream json;
    json << "{\n    \"LoopStartSample\": " << loop.StartFrame << ",\n    \"LoopEndSample\": " << loop.EndFrame
         << "\n}\n";
    return json.str();
}

std::vector<OutputFile> BuildMusicTrack(const TrackRecipe& recipe, const std::filesystem::path& musicFolder) {
    const RenderedTrack track = RenderTrack(recipe);
    return {
        {musicFolder / (recipe.Name + ".ogg"), EncodeOggVorbis(track.Interleaved, 2, kSampleRate, kVorbisQuality)},
        {musicFolder / (recipe.Name + ".json"), BytesFromText(LoopPointsJson(track.Loop))},
    };
}

}  // namespace qv::tools
