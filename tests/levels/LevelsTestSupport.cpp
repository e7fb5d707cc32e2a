#include "LevelsTestSupport.h"

#include <stdlib.h>

#include "app/RuntimeTypes.h"
#include "object/ObjectShortcutTypes.h"
#include "platform/Paths.h"
#include "program/ComponentTable.h"

namespace fs = std::filesystem;

namespace {

class ProgramUserDataEnvironment : public ::testing::Environment {
public:
    void SetUp() override { mFolder = std::make_unique<ScopedUserDataFolder>(); }
    void TearDown() override { mFolder.reset(); }

private:
    std::unique_ptr<ScopedUserDataFolder> mFolder;
};

[[maybe_unused]] ::testing::Environment* const gUserDataEnvironment =
    ::testing::AddGlobalTestEnvironment(new ProgramUserDataEnvironment);

}  // namespace

ScopedUserDataFolder::ScopedUserDataFolder() {
    if (const char* previous = getenv("XDG_DATA_HOME")) {
        mPrevious = previous;
    }
    setenv("XDG_DATA_HOME", mFolder.Path().c_str(), 1);
}

ScopedUserDataFolder::~ScopedUserDataFolder() {
    if (mPrevious) {
        setenv("XDG_DATA_HOME", mPrevious->c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

fs::path ScopedUserDataFolder::SaveFile() const {
    return mFolder.Path() / GetProgramStem() / "Game.sav";
}

LevelContentTest::LevelContentTest() {
    fs::create_directories(Content.Path() / "Prefabs");
    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    Config.DevelopmentContentPath = Content.Path().string();
    gGameConfig = &Config;
    gGameTime = &Time;
    gDeletionQueues = &Queues;
    gRandomManager = &Random;
    gPrefabManager = &Prefabs;
}

LevelContentTest::~LevelContentTest() {
    Root.reset();
    FlushDeleteQueues();
    gPrefabManager = nullptr;
    gRandomManager = nullptr;
    gDeletionQueues = nullptr;
    gGameTime = nullptr;
    gGameConfig = nullptr;
}

void LevelContentTest::WritePrefab(const std::string& name, const std::string& componentsJson,
                                   const std::string& autoCreateJson) {
    Content.Write("Prefabs/" + name + ".json",
                  "{ \"Components\": " + componentsJson + ", \"AutoCreate\": " + autoCreateJson + " }\n");
}

void LevelContentTest::CopyCommittedPrefabs() {
    const char* source = getenv("QV_SOURCE_DIR");
    fs::copy(fs::path(source != nullptr ? source : ".") / "Content" / "Prefabs", Content.Path() / "Prefabs",
             fs::copy_options::recursive | fs::copy_options::skip_existing);
}

void LevelContentTest::LoadContent() {
    Prefabs.Init(RegisterComponentTypes);
}

GameObject* LevelContentTest::Build(const std::string& prefabName) {
    auto* built = new GameObject(prefabName);
    Root->AddChild(built);
    return built;
}

void LevelContentTest::RunPass() {
    Time.DeltaTime = 1.0f / 60.0f;
    Time.TotalTime += Time.DeltaTime;
    PostPhysicsWalk(Root.get());
    FlushDeleteQueues();
}
