#include "PrefabTestSupport.h"

#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "object/ThingCmp.h"

void StartLogBhv::Start() {
    ++Starts;
    StartLog().push_back((Owner != nullptr ? Owner->Name : std::string("?")) + "." + Tag);
}

std::vector<std::string>& StartLog() {
    static std::vector<std::string> log;
    return log;
}

void RegisterTestComponentTypes(PrefabManager& manager) {
    manager.RegisterComponent<PrefabComponent>("PrefabComponent");
    manager.RegisterComponent<Pos2dCmp>("Pos2dCmp");
    manager.RegisterComponent<ThingCmp>("ThingCmp");
    manager.RegisterComponent<SampleCmp>("SampleCmp");
    manager.RegisterComponent<StartLogBhv>("StartLogBhv");
}

PrefabFixture::PrefabFixture() {
    InstallObjectShortcutTypes();
    std::filesystem::create_directories(PrefabFolder());
    Config.DevelopmentContentPath = Folder.Path().string();
    mSavedConfig = gGameConfig;
    mSavedManager = gPrefabManager;
    mSavedQueues = gDeletionQueues;
    gGameConfig = &Config;
    gPrefabManager = &Manager;
    gDeletionQueues = &Queues;
    StartLog().clear();
}

PrefabFixture::~PrefabFixture() {
    FlushDeleteQueues();
    gGameConfig = mSavedConfig;
    gPrefabManager = mSavedManager;
    gDeletionQueues = mSavedQueues;
}

std::filesystem::path PrefabFixture::WritePrefab(const std::string& name, const std::string& text) const {
    return Folder.Write("Prefabs/" + name + ".json", text);
}

std::string PrefabFixture::ReadPrefab(const std::string& name) const {
    return TempFolder::Read(PrefabFolder() / (name + ".json"));
}

bool PrefabFixture::PrefabFileExists(const std::string& name) const {
    return std::filesystem::exists(PrefabFolder() / (name + ".json"));
}
