#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundManager.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"

// A content tree of its own, used as the development content path ("Prefabs",
// "Sounds/<bank>"), and the globals that sounds, cues and particles read: time,
// deletion queues, random numbers (seeded with a fixed value), configuration, prefabs
// and the sound manager, which mixes into the test program's wave file.
//
// A test writes its prefabs and sounds, calls LoadContent, then runs passes over Root.
class EngineContentFixture : public ::testing::Test {
protected:
    static constexpr float FrameDelta = 1.0f / 60.0f;
    static constexpr uint32_t Seed = 1234;

    EngineContentFixture();
    ~EngineContentFixture() override;

    // Writes "Prefabs/<name>.json" with the given component list (JSON object text).
    void WritePrefab(const std::string& name, const std::string& componentsJson);
    // Writes a mono 16-bit file (format from its extension: .wav, .ogg, .flac) under the
    // content folder at the given relative path, e.g. "Sounds/Main/Shot.wav".
    std::filesystem::path WriteSound(const std::string& relativePath, const std::vector<float>& samples,
                                     int rate = 44100);
    // A file of that text, e.g. a note beside the sounds.
    void WriteText(const std::string& relativePath, const std::string& text);

    // Registers the component types and reads the prefabs; loads the bank "Main" when
    // its folder exists.
    void LoadContent();

    // One pass: the sound system's update, the update walk over Root, the flush.
    void RunPass(float delta = FrameDelta);
    // Passes until done() holds or about `seconds` of real time went by; returns done().
    template <class Done>
    bool RunPassesUntil(Done done, double seconds = 2.0);

    std::filesystem::path ContentDir;
    GameTime Time;
    DeletionQueues Queues;
    std::unique_ptr<RandomManager> Random;
    std::unique_ptr<GameConfig> Config;
    std::unique_ptr<PrefabManager> Prefabs;
    std::unique_ptr<SoundManager> Sounds;
    std::unique_ptr<GameObject> Root;
};

// Sleeps a little between passes so that the output device gets to play.
void SleepBriefly();

template <class Done>
bool EngineContentFixture::RunPassesUntil(Done done, double seconds) {
    const int passes = static_cast<int>(seconds * 200.0);
    for (int i = 0; i < passes && !done(); ++i) {
        RunPass();
        SleepBriefly();
    }
    return done();
}
