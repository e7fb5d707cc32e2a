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

// XDG_DATA_HOME at a fresh folder while the object lives. The program keeps one for all
// its tests as well, so nothing here reaches the player's own folder.
class ScopedUserDataFolder {
public:
    ScopedUserDataFolder();
    ~ScopedUserDataFolder();

    // Where SavedDataBhv keeps "Game.sav" now.
    std::filesystem::path SaveFile() const;

private:
    TempFolder mFolder;
    std::optional<std::string> mPrevious;
};

// A content folder of the test's own as the development content path, read with the
// program's component table, and the services of the update walk. Tests write or copy
// prefabs, call LoadContent, build objects under Root and run passes.
class LevelContentTest : public ::testing::Test {
protected:
    LevelContentTest();
    ~LevelContentTest() override;

    void WritePrefab(const std::string& name, const std::string& componentsJson,
                     const std::string& autoCreateJson = "\"\"");
    void CopyCommittedPrefabs();
    void LoadContent();
    // Built from the prefab (and so started) under Root.
    GameObject* Build(const std::string& prefabName);
    void RunPass();

    ScopedUserDataFolder UserData;
    TempFolder Content;
    GameConfig Config;
    GameTime Time;
    DeletionQueues Queues;
    RandomManager Random;
    PrefabManager Prefabs;
    std::unique_ptr<GameObject> Root = std::make_unique<GameObject>();
};
