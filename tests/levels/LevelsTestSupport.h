#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/TempFolder.h"

// XDG_DATA_HOME pointed at a fresh folder of its own while the object lives, so a test
// saves where nothing else does. The program sets one for all its tests too: nothing
// here ever reaches the player's own folder.
class ScopedUserDataFolder {
public:
    ScopedUserDataFolder();
    ~ScopedUserDataFolder();
    ScopedUserDataFolder(const ScopedUserDataFolder&) = delete;
    ScopedUserDataFolder& operator=(const ScopedUserDataFolder&) = delete;

    // Where SavedDataBhv keeps "Game.sav" now.
    std::filesystem::path SaveFile() const;

private:
    TempFolder mFolder;
    std::optional<std::string> mPrevious;
};

// A content folder of the test's own as the development content path, read by a prefab
// manager with the program's component table; the services the update walk needs.
// Tests write prefabs, call LoadContent, build objects under Root and run passes.
class LevelContentTest : public ::testing::Test {
protected:
    LevelContentTest();
    ~LevelContentTest() override;

    // "Prefabs/<name>.json" with these components and auto-create entries (JSON text).
    void WritePrefab(const std::string& name, const std::string& componentsJson,
                     const std::string& autoCreateJson = "\"\"");
    // The committed prefabs, beside those the test writes.
    void CopyCommittedPrefabs();
    void LoadContent();

    // A new object from the prefab, started and linked under Root.
    GameObject* Build(const std::string& prefabName);
    // One update walk over Root and the deletion flush.
    void RunPass();

    ScopedUserDataFolder UserData;
    TempFolder Content;
    GameConfig Config;
    GameTime Time;
    DeletionQueues Queues;
    RandomManager Random;
    PrefabManager Prefabs;
    std::unique_ptr<GameObject> Root;
};
