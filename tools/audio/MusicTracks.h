#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

enum class MusicStyle { Psy, Acid, Bouncy, Calm };

// A looping track: an intro played once, then a loop section of whole bars
// that the game repeats between the loop points.
struct TrackRecipe {
    std::string Name;  // file stem: the name the screens play it by
    MusicStyle Style = MusicStyle::Psy;
    float Bpm = 140;
    int IntroBars = 4;
    int LoopBars = 12;
    int RootNote = 45;             // MIDI note of the key's root (bass register)
    std::vector<int> Progression;  // chord roots in semitones above the root, one per bar, repeated
    bool Minor = true;
    std::uint32_t Seed = 1;
};

struct LoopPoints {
    int StartFrame = 0;
    int EndFrame = 0;  // inclusive
};

struct RenderedTrack {
    std::vector<float> Interleaved;  // stereo
    LoopPoints Loop;
};

std::vector<TrackRecipe> MusicTrackRecipes();

// Renders the track. Sound still ringing at the loop's end (echoes, releases)
// is folded back onto the loop's start, so the repeat is seamless.
RenderedTrack RenderTrack(const TrackRecipe& recipe);

// The ".ogg" track and its loop-point ".json", in `musicFolder`.
std::vector<OutputFile> BuildMusicTrack(const TrackRecipe& recipe, const std::filesystem::path& musicFolder);

// The loop-point file's text: {"LoopStartSample": n, "LoopEndSample": m}.
std::string LoopPointsJson(const LoopPoints& loop);

}  // namespace qv::tools
