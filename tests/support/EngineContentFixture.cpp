#include "EngineContentFixture.h"

#include <sndfile.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/RuntimeTypes.h"
#include "object/ObjectShortcutTypes.h"
#include "platform/AudioTestSupport.h"
#include "program/ComponentTable.h"

namespace {

int FormatOf(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".ogg") {
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    }
    if (extension == ".flac") {
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

}  // namespace

void SleepBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

EngineContentFixture::EngineContentFixture() {
    // Inside the audio tests' scratch folder, which goes away at exit.
    static int fixtureCount = 0;
    ContentDir = AudioTest::ScratchDir() / ("content" + std::to_string(++fixtureCount));
    std::filesystem::create_directories(ContentDir / "Prefabs");

    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    gGameTime = &Time;
    gDeletionQueues = &Queues;
    Random = std::make_unique<RandomManager>();
    Random->Seed(Seed);
    gRandomManager = Random.get();
    Config = std::make_unique<GameConfig>();
    Config->DevelopmentContentPath = ContentDir.string();
    gGameConfig = Config.get();
    Prefabs = std::make_unique<PrefabManager>();
    gPrefabManager = Prefabs.get();
    Sounds = std::make_unique<SoundManager>();
    gSoundManager = Sounds.get();
    Root = std::make_unique<GameObject>();
    Root->Name = "Root";
}

EngineContentFixture::~EngineContentFixture() {
    Root.reset();
    FlushDeleteQueues();
    gSoundManager = nullptr;
    Sounds.reset();
    gPrefabManager = nullptr;
    Prefabs.reset();
    gGameConfig = nullptr;
    gRandomManager = nullptr;
    gDeletionQueues = nullptr;
    gGameTime = nullptr;
}

void EngineContentFixture::WritePrefab(const std::string& name, const std::string& componentsJson) {
    WriteText("Prefabs/" + name + ".json", "{ \"Components\": " + componentsJson + ", \"AutoCreate\": \"\" }\n");
}

std::filesystem::path EngineContentFixture::WriteSound(const std::string& relativePath,
                                                       const std::vector<float>& samples, int rate) {
    const std::filesystem::path file = ContentDir / relativePath;
    std::filesystem::create_directories(file.parent_path());
    const std::filesystem::path inScratch = std::filesystem::relative(file, AudioTest::ScratchDir());
    return AudioTest::WriteSound(inScratch.string(), FormatOf(file), 1, rate, samples);
}

void EngineContentFixture::WriteText(const std::string& relativePath, const std::string& text) {
    const std::filesystem::path file = ContentDir / relativePath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

void EngineContentFixture::LoadContent() {
    Prefabs->Init(RegisterComponentTypes);
    if (std::filesystem::is_directory(ContentDir / "Sounds" / "Main")) {
        Sounds->LoadBank("Main");
    }
}

void EngineContentFixture::RunPass(float delta) {
    Time.DeltaTime = delta;
    Time.TotalTime += delta;
    Sounds->Update();
    PostPhysicsWalk(Root.get());
    FlushDeleteQueues();
}
