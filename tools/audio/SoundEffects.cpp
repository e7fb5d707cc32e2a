#include "tools/audio/SoundEffects.h"

#include "tools/io/WavEncoder.h"

#include <algorithm>

namespace qv::tools {

namespace {

Layer Tone(Wave shape, float start, float duration, float fromHz, float toHz, float gain, float curve = 2.0f) {
    Layer layer;
    layer.Shape = shape;
    layer.Start = start;
    layer.Duration = duration;
    layer.FromHz = fromHz;
    layer.ToHz = toHz;
    layer.Gain = gain;
    layer.Env.Curve = curve;
    return layer;
}

// Filtered noise whose brightness sweeps from one cutoff to another: hits, blasts, whooshes.
Layer NoiseBurst(float start, float duration, float cutoffFrom, float cutoffTo, float gain, float curve,
                 std::uint32_t seed) {
    Layer layer = Tone(Wave::Noise, start, duration, 0, 0, gain, curve);
    layer.LowpassFromHz = cutoffFrom;
    layer.LowpassToHz = cutoffTo;
    layer.Seed = seed;
    return layer;
}

Layer Filtered(Layer layer, float cutoffFrom, float cutoffTo, float resonance = 0.7f) {
    layer.LowpassFromHz = cutoffFrom;
    layer.LowpassToHz = cutoffTo;
    layer.Resonance = resonance;
    return layer;
}

Layer WithVibrato(Layer layer, float hz, float semitones) {
    layer.VibratoHz = hz;
    layer.VibratoSemitones = semitones;
    return layer;
}

Layer Bell(float start, float duration, float hz, float gain) {
    Layer layer = Tone(Wave::Sine, start, duration, hz, hz, gain, 3.0f);
    layer.FmRatio = 3.5f;
    layer.FmIndex = 2.5f;
    return layer;
}

// Notes one after another (MIDI numbers), each a short enveloped tone.
std::vector<Layer> Arpeggio(Wave shape, float start, float step, std::vector<float> notes, float noteLength,
                            float gain) {
    std::vector<Layer> layers;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const float hz = NoteHz(notes[i]);
        layers.push_back(Filtered(Tone(shape, start + step * i, noteLength, hz, hz, gain, 1.5f), 5000, 2000));
    }
    return layers;
}

std::vector<Layer> Join(std::vector<std::vector<Layer>> groups) {
    std::vector<Layer> all;
    for (auto& group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

}  // namespace

std::vector<SoundRecipe> SoundEffectRecipes() {
    using W = Wave;
    return {
        {"PistolShot",
         {Filtered(Tone(W::Square, 0, 0.12f, 1400, 180, 0.5f, 2.5f), 6000, 900),
          NoiseBurst(0, 0.09f, 9000, 1200, 0.6f, 3, 11), Tone(W::Sine, 0, 0.08f, 220, 60, 0.6f, 2)},
         0.7f},
        {"ShotgunBlast",
         {NoiseBurst(0, 0.45f, 7000, 300, 0.9f, 2.5f, 21), NoiseBurst(0.01f, 0.25f, 2500, 200, 0.6f, 2, 22),
          Tone(W::Sine, 0, 0.3f, 140, 38, 0.9f, 2), Filtered(Tone(W::Saw, 0, 0.15f, 600, 90, 0.3f, 3), 3000, 400)},
         0.85f},
        {"BulletWallHit",
         {NoiseBurst(0, 0.07f, 8000, 2500, 0.6f, 3, 31), Tone(W::Triangle, 0, 0.05f, 2400, 1500, 0.25f, 3)},
         0.5f},
        {"EnemyDamage",
         {WithVibrato(Filtered(Tone(W::Square, 0, 0.14f, 420, 220, 0.5f, 1.5f), 3000, 800), 35, 1.5f),
          NoiseBurst(0, 0.05f, 4000, 1500, 0.3f, 3, 41)},
         0.6f},
        {"EnemyDie",
         {Filtered(Tone(W::Saw, 0, 0.35f, 620, 70, 0.5f, 1.5f), 4000, 300), NoiseBurst(0, 0.3f, 5000, 400, 0.6f, 2, 51),
          Tone(W::Noise, 0.02f, 0.2f, 3000, 400, 0.25f, 2)},
         0.7f},
        {"EnemySpawn",
         {WithVibrato(Filtered(Tone(W::Saw, 0, 0.45f, 180, 720, 0.4f, 0.7f), 600, 4000, 2.0f), 12, 0.5f),
          NoiseBurst(0, 0.4f, 300, 3000, 0.25f, 1, 61)},
         0.55f},
        {"AntSackRupture",
         {NoiseBurst(0, 0.3f, 2500, 250, 0.8f, 2, 71), Tone(W::Sine, 0, 0.25f, 170, 45, 0.8f, 2),
          Tone(W::Sine, 0.05f, 0.06f, 600, 900, 0.25f, 2), Tone(W::Sine, 0.11f, 0.05f, 500, 800, 0.2f, 2),
          Tone(W::Sine, 0.16f, 0.05f, 700, 1000, 0.15f, 2)},
         0.75f},
        {"ErrorBuzz",
         {Filtered(Tone(W::Square, 0, 0.32f, 110, 104, 0.5f, 0.5f), 1800, 1200),
          Filtered(Tone(W::Saw, 0, 0.32f, 116, 110, 0.4f, 0.5f), 1800, 1200)},
         0.55f},
        {"DebugBlip", {Tone(W::Sine, 0, 0.05f, 1320, 1320, 0.5f, 1)}, 0.4f},
        {"MenuBlip", {Filtered(Tone(W::Triangle, 0, 0.07f, 880, 1100, 0.5f, 1.5f), 6000, 3000)}, 0.45f},
        {"LevelSelect", Arpeggio(W::Square, 0, 0.06f, {76, 83}, 0.12f, 0.35f), 0.5f},
        {"Pause", Arpeggio(W::Triangle, 0, 0.07f, {79, 72}, 0.12f, 0.5f), 0.5f},
        {"Unpause", Arpeggio(W::Triangle, 0, 0.07f, {72, 79}, 0.12f, 0.5f), 0.5f},
        {"LowAmmo", Arpeggio(W::Square, 0, 0.09f, {86, 86}, 0.06f, 0.3f), 0.45f},
        {"ExitReveal",
         Join({Arpeggio(W::Triangle, 0, 0.05f, {67, 71, 74, 79, 83}, 0.5f, 0.35f),
               {WithVibrato(Tone(W::Sine, 0, 0.9f, NoteHz(79), NoteHz(79), 0.25f, 1.2f), 6, 0.2f)}}),
         0.6f},
        {"ExitReached", Arpeggio(W::Square, 0, 0.07f, {72, 76, 79, 84}, 0.18f, 0.35f), 0.6f},
        {"LevelComplete",
         Join({Arpeggio(W::Square, 0, 0.11f, {72, 76, 79, 84}, 0.16f, 0.3f),
               {Filtered(Tone(W::Saw, 0.44f, 0.8f, NoteHz(84), NoteHz(84), 0.3f, 1.2f), 4000, 1500),
                Tone(W::Triangle, 0.44f, 0.8f, NoteHz(76), NoteHz(76), 0.3f, 1.2f),
                Tone(W::Triangle, 0.44f, 0.8f, NoteHz(60), NoteHz(60), 0.35f, 1.2f)}}),
         0.7f},
        {"NewBest",
         Join({Arpeggio(W::Triangle, 0, 0.05f, {84, 88, 91, 96, 100}, 0.25f, 0.35f),
               {Bell(0.25f, 0.7f, NoteHz(96), 0.25f)}}),
         0.6f},
        {"Unlock",
         {Bell(0, 1.0f, NoteHz(72), 0.35f), Bell(0.08f, 1.0f, NoteHz(79), 0.3f), Bell(0.16f, 1.1f, NoteHz(84), 0.3f),
          WithVibrato(Tone(W::Sine, 0.16f, 1.0f, NoteHz(88), NoteHz(88), 0.15f, 1.2f), 5, 0.15f)},
         0.65f},
        {"PillSpawn",
         {WithVibrato(Tone(W::Sine, 0, 0.35f, 300, 900, 0.5f, 1), 18, 2.0f),
          Tone(W::Triangle, 0.05f, 0.3f, 600, 1200, 0.2f, 1.5f)},
         0.55f},
        {"PistolPickup",
         {NoiseBurst(0, 0.03f, 9000, 6000, 0.4f, 3, 81),
          Filtered(Tone(W::Square, 0.02f, 0.08f, 700, 700, 0.3f, 1), 4000, 4000),
          Filtered(Tone(W::Square, 0.1f, 0.12f, 1050, 1400, 0.3f, 1.5f), 5000, 3000)},
         0.55f},
        {"PlayerDie",
         {Filtered(Tone(W::Saw, 0, 0.9f, 500, 40, 0.5f, 1.2f), 3000, 200),
          NoiseBurst(0, 0.7f, 6000, 150, 0.7f, 1.8f, 91), Tone(W::Sine, 0, 0.5f, 120, 30, 0.6f, 1.5f),
          WithVibrato(Tone(W::Square, 0.05f, 0.6f, 300, 60, 0.15f, 1.5f), 14, 1)},
         0.8f},
        {"PlayerRespawn",
         {WithVibrato(Filtered(Tone(W::Saw, 0, 0.5f, 220, 880, 0.35f, 0.8f), 800, 6000, 1.5f), 9, 0.3f),
          Tone(W::Sine, 0.1f, 0.4f, NoteHz(79), NoteHz(91), 0.25f, 1.2f)},
         0.6f},
        {"TransitionOn",
         {NoiseBurst(0, 0.45f, 250, 6000, 0.6f, 0.8f, 101), Tone(W::Sine, 0, 0.45f, 120, 360, 0.25f, 1)},
         0.5f},
        {"TransitionOff",
         {NoiseBurst(0, 0.45f, 6000, 250, 0.6f, 1.2f, 111), Tone(W::Sine, 0, 0.45f, 360, 110, 0.25f, 1)},
         0.5f},
    };
}

OutputFile RenderSoundEffect(const SoundRecipe& recipe, const std::filesystem::path& bankFolder) {
    float end = 0;
    for (const Layer& layer : recipe.Layers)
        end = std::max(end, layer.Start + layer.Duration);
    AudioBuffer buffer(1, SecondsToFrames(end + 0.02f));
    buffer.Render(recipe.Layers);
    buffer.Normalize(recipe.Peak);
    return {bankFolder / (recipe.Name + ".wav"), EncodeWav16(buffer.Samples(), 1, kSampleRate)};
}

}  // namespace qv::tools
