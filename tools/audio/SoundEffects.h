#pragma once

#include "tools/audio/Synth.h"
#include "tools/io/Bytes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

// A sound effect: the layers that make it and how loud it ends up (peak, 0..1).
struct SoundRecipe {
    std::string Name;  // file stem: the name the sound cues play it by
    std::vector<Layer> Layers;
    float Peak = 0.8f;
};

// One recipe per game cue.
std::vector<SoundRecipe> SoundEffectRecipes();

// The recipe rendered as a 44.1 kHz mono 16-bit WAV.
OutputFile RenderSoundEffect(const SoundRecipe& recipe, const std::filesystem::path& bankFolder);

}  // namespace qv::tools
