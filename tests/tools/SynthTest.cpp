#include "tools/audio/MusicTracks.h"
#include "tools/audio/Synth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::tools {
namespace {

float PeakBetween(AudioBuffer& buffer, int from, int to) {
    float peak = 0;
    for (int f = from; f < to; ++f) {
        for (int c = 0; c < buffer.Channels(); ++c)
            peak = std::max(peak, std::abs(buffer.At(f, c)));
    }
    return peak;
}

TEST(Synth, LayerSoundsOnlyWithinItsTimeAndEndsSilent) {
    AudioBuffer buffer(1, SecondsToFrames(1.0));
    Layer tone;
    tone.Start = 0.25f;
    tone.Duration = 0.5f;
    tone.Gain = 0.5f;
    buffer.Render(tone);
    EXPECT_EQ(PeakBetween(buffer, 0, SecondsToFrames(0.25)), 0.0f);
    EXPECT_GT(PeakBetween(buffer, SecondsToFrames(0.3), SecondsToFrames(0.4)), 0.2f);
    EXPECT_EQ(PeakBetween(buffer, SecondsToFrames(0.75) + 1, buffer.Frames()), 0.0f);
    EXPECT_LT(std::abs(buffer.At(SecondsToFrames(0.75) - 1, 0)), 0.01f) << "release ramp ends at silence";
}

TEST(Synth, PitchGlidesFromStartToEnd) {
    // Count zero crossings in the first and last tenth of a falling sweep.
    AudioBuffer buffer(1, SecondsToFrames(1.0));
    Layer sweep;
    sweep.Duration = 1.0f;
    sweep.FromHz = 2000;
    sweep.ToHz = 200;
    sweep.Env.Curve = 0;
    buffer.Render(sweep);
    auto crossings = [&](int from, int to) {
        int n = 0;
        for (int f = from + 1; f < to; ++f)
            n += (buffer.At(f - 1, 0) < 0) != (buffer.At(f, 0) < 0);
        return n;
    };
    const int tenth = buffer.Frames() / 10;
    EXPECT_GT(crossings(0, tenth), 3 * crossings(buffer.Frames() - tenth, buffer.Frames()));
}

TEST(Synth, StereoPanFavoursOneSideAndNormalizeSetsThePeak) {
    AudioBuffer buffer(2, SecondsToFrames(0.2));
    Layer right;
    right.Duration = 0.2f;
    right.Pan = 0.8f;
    buffer.Render(right);
    EXPECT_GT(PeakBetween(buffer, 0, buffer.Frames()), 0.0f);
    float left = 0, rightPeak = 0;
    for (int f = 0; f < buffer.Frames(); ++f) {
        left = std::max(left, std::abs(buffer.At(f, 0)));
        rightPeak = std::max(rightPeak, std::abs(buffer.At(f, 1)));
    }
    EXPECT_GT(rightPeak, 2 * left);
    buffer.Normalize(0.5f);
    EXPECT_NEAR(PeakBetween(buffer, 0, buffer.Frames()), 0.5f, 1e-6f);
}

TEST(Synth, SplitAndMixFoldATailBack) {
    AudioBuffer buffer(1, 10);
    for (int f = 0; f < 10; ++f)
        buffer.At(f, 0) = static_cast<float>(f);
    const AudioBuffer tail = buffer.SplitAt(7);
    EXPECT_EQ(buffer.Frames(), 7);
    ASSERT_EQ(tail.Frames(), 3);
    buffer.MixIn(tail, 2);
    EXPECT_EQ(buffer.At(2, 0), 2.0f + 7.0f);
    EXPECT_EQ(buffer.At(4, 0), 4.0f + 9.0f);
    EXPECT_EQ(buffer.At(5, 0), 5.0f);
    EXPECT_THROW(buffer.MixIn(AudioBuffer(2, 1), 0), std::invalid_argument);
}

TEST(MusicTracks, LoopPointsFallOnBarsAndTheJsonHoldsThem) {
    const TrackRecipe recipe{"Test", MusicStyle::Calm, 120, 1, 2, 48, {0, 5}, false, 9};
    const RenderedTrack track = RenderTrack(recipe);
    const int bar = SecondsToFrames(2.0);  // 4 beats at 120 bpm
    EXPECT_EQ(track.Loop.StartFrame, bar);
    EXPECT_EQ(track.Loop.EndFrame, 3 * bar - 1);
    EXPECT_EQ(track.Interleaved.size(), static_cast<std::size_t>(3 * bar) * 2);
    EXPECT_EQ(LoopPointsJson({10, 20}), "{\n    \"LoopStartSample\": 10,\n    \"LoopEndSample\": 20\n}\n");
}

}  // namespace
}  // namespace qv::tools
