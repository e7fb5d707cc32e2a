// The level table built from level-list prefabs and the saved results: numbering, the
// skip allowance, pars and the rules of the reserved levels, rebuilt by the update walk.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LevelsTestSupport.h"
#include "PhysicsTestSupport.h"
#include "app/Application.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SaveFileWriter.h"
#include "game/levels/SavedDataBhv.h"
#include "render/TextCmp.h"

namespace {

namespace fs = std::filesystem;

struct LevelEntry {
    std::string Name;
    bool Main = true;
    float ParTime = 30.0f;
};

// "Lvl_01" to "Lvl_<count>" with par 30; with the specials, the boss after them and
// then the levels outside the progression, "Lvl_Secret" an ordinary one with par 20.
std::vector<LevelEntry> Levels(int mainLevels, bool specials = true) {
    std::vector<LevelEntry> levels;
    for (int i = 1; i <= mainLevels; ++i) {
        levels.push_back({(i < 10 ? "Lvl_0" : "Lvl_") + std::to_string(i)});
    }
    if (specials) {
        levels.push_back({"Lvl_Boss"});
        for (const char* special : {"Lvl_Yay", "Lvl_Bonus1", "Lvl_Bonus2", "Lvl_Survival", "Lvl_Secret"}) {
            levels.push_back({special, false, 20.0f});
        }
    }
    return levels;
}

class LevelListTest : public LevelContentTest {
protected:
    LevelListTest() { CopyCommittedPrefabs(); }

    // A level-list prefab of these children, each from the committed "LevelData".
    void WriteLevelList(const std::string& name, const std::vector<LevelEntry>& levels,
                        const std::string& listProperties = "\"\"") {
        std::string entries;
        for (const LevelEntry& level : levels) {
            entries += std::string(entries.empty() ? "" : ",") + "{ \"Name\": \"" + level.Name +
                       "\", \"InstanceProperties\": { \"LevelDataCmp\": { \"InMainProgression\": \"" +
                       (level.Main ? "true" : "false") + "\", \"ParTime\": \"" + std::to_string(level.ParTime) +
                       "\" } }, \"Prefab\": \"LevelData\" }";
        }
        WritePrefab(name, "{ \"LevelListBhv\": " + listProperties + " }", "[" + entries + "]");
    }

    // The saved data first, as the gameplay root holds it, then the list.
    LevelListBhv* Start(const std::string& listPrefab, bool withSavedData = true) {
        LoadContent();
        if (withSavedData) {
            Saved = Build("SavedData")->GetComponent<SavedDataBhv>();
        }
        LevelListBhv* list = Build(listPrefab)->GetComponent<LevelListBhv>();
        EXPECT_EQ(gLevelList, list);
        return list;
    }

    // The open levels of the main progression, by number.
    static std::vector<int> OpenNumbers(const LevelListBhv& list) {
        std::vector<int> open;
        for (const LevelDataCmp* level : list.Levels) {
            if (!level->IsLocked) {
                open.push_back(level->Number);
            }
        }
        return open;
    }

    static bool IsLocked(const LevelListBhv& list, const std::string& name) {
        const LevelDataCmp* level = list.FindLevel(name);
        return level == nullptr || level->IsLocked;
    }

    SavedDataBhv* Saved = nullptr;
};

TEST_F(LevelListTest, WithoutResultsTheFirstThreeMainLevelsAreOpenAndCompletingOneOpensTheNext) {
    WriteLevelList("Levels", Levels(6));
    LevelListBhv* list = Start("Levels");

    ASSERT_EQ(list->Levels.size(), 7u) << "six levels and the boss";
    EXPECT_EQ(OpenNumbers(*list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list->FindLevel("Lvl_Boss")->Number, 7);
    EXPECT_EQ(list->FindLevel("Lvl_Secret")->Number, 0);
    EXPECT_EQ(list->FindLevel("Lvl_Secret")->ObjectName, "Lvl_Secret");
    EXPECT_EQ(LevelListBhv::GetLevelByNumber(1), list->FindLevel("Lvl_01"));
    EXPECT_EQ(LevelListBhv::GetLevelByNumber(7), list->FindLevel("Lvl_Boss"));
    EXPECT_EQ(LevelListBhv::GetLevelByNumber(0), nullptr);
    EXPECT_EQ(LevelListBhv::GetLevelByNumber(8), nullptr);
    EXPECT_EQ(list->FindLevel("Lvl_07"), nullptr);
    for (const char* special : {"Lvl_Yay", "Lvl_Bonus1", "Lvl_Bonus2", "Lvl_Survival", "Lvl_Secret"}) {
        EXPECT_TRUE(IsLocked(*list, special)) << special;
    }

    // The next frame's rebuild follows the saved results.
    Saved->LevelBestTimes["Lvl_02"] = 45.0f;
    RunPass();
    EXPECT_EQ(OpenNumbers(*list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(list->FindLevel("Lvl_02")->IsCompleted());
    EXPECT_EQ(list->FindLevel("Lvl_02")->GetBestTime(), 45.0f);
    EXPECT_EQ(list->FindLevel("Lvl_03")->GetBestTime(), 0.0f);
}

TEST_F(LevelListTest, TheSkipAllowanceComesFromTheContent) {
    WriteLevelList("Levels", Levels(6), "{ \"LevelSkipsMax\": \"0\" }");
    LevelListBhv* list = Start("Levels");
    EXPECT_EQ(OpenNumbers(*list), (std::vector<int>{1}));
    Saved->LevelBestTimes["Lvl_01"] = 10.0f;
    Saved->LevelBestTimes["Lvl_03"] = 10.0f;
    RunPass();
    EXPECT_EQ(OpenNumbers(*list), (std::vector<int>{1, 2, 3}));
}

TEST_F(LevelListTest, AParIsBeatenByABestWithinItAboveZeroAndCountsOutsideTheProgressionToo) {
    WriteLevelList("Levels", Levels(3));
    LevelListBhv* list = Start("Levels");
    Saved->LevelBestTimes = {{"Lvl_01", 30.0f}, {"Lvl_02", 0.0f}, {"Lvl_03", 30.5f}, {"Lvl_Secret", 19.0f}};
    RunPass();
    const LevelDataCmp* exact = list->FindLevel("Lvl_01");
    const LevelDataCmp* zero = list->FindLevel("Lvl_02");
    EXPECT_TRUE(exact->IsParBeaten());
    EXPECT_TRUE(zero->IsCompleted());
    EXPECT_FALSE(zero->IsParBeaten());
    EXPECT_FALSE(list->FindLevel("Lvl_03")->IsParBeaten());
    EXPECT_TRUE(list->FindLevel("Lvl_Secret")->IsParBeaten());
    EXPECT_EQ(list->ParCount, 2);
}

TEST_F(LevelListTest, TenParsOpenTheFirstBonusLevelAndTwentyOpenBoth) {
    WriteLevelList("Levels", Levels(20));
    LevelListBhv* list = Start("Levels");
    for (int beaten = 1; beaten <= 20; ++beaten) {
        Saved->LevelBestTimes[list->Levels[beaten - 1]->ObjectName] = 29.0f;
        RunPass();
        ASSERT_EQ(list->ParCount, beaten);
        EXPECT_EQ(IsLocked(*list, "Lvl_Bonus2"), beaten < 10) << beaten << " pars";
        EXPECT_EQ(IsLocked(*list, "Lvl_Bonus1"), beaten < 20) << beaten << " pars";
    }
}

TEST_F(LevelListTest, TheBossOpensTheClosingAndSurvivalLevelsAndBonusModesCompleteByTheirCounts) {
    WriteLevelList("Levels", Levels(2));
    LevelListBhv* list = Start("Levels");
    Saved->LevelBestTimes = {{"Lvl_01", 1.0f}, {"Lvl_02", 1.0f}};
    RunPass();
    EXPECT_TRUE(IsLocked(*list, "Lvl_Yay"));
    EXPECT_TRUE(IsLocked(*list, "Lvl_Survival"));
    Saved->LevelBestTimes["Lvl_Boss"] = 80.0f;
    RunPass();
    EXPECT_FALSE(IsLocked(*list, "Lvl_Yay"));
    EXPECT_FALSE(IsLocked(*list, "Lvl_Survival"));

    const LevelDataCmp* ants = list->FindLevel("Lvl_Bonus1");
    const LevelDataCmp* chase = list->FindLevel("Lvl_Bonus2");
    Saved->BestAntsFreed = 599;
    Saved->BestPacmanScore = 1500;
    EXPECT_FALSE(ants->IsCompleted());
    EXPECT_TRUE(chase->IsCompleted());
    // The targets come from content, not from the file.
    Saved->AntsToFree = 599;
    Saved->PacmanTargetScore = 1501;
    EXPECT_TRUE(ants->IsCompleted());
    EXPECT_FALSE(chase->IsCompleted());
}

TEST_F(LevelListTest, AnEmptyListMissingReservedLevelsOrNoSavedDataLockWithoutFailing) {
    WritePrefab("EmptyLevels", "{ \"LevelListBhv\": \"\" }");
    WriteLevelList("Levels", Levels(5, false), "{ \"Bonus2ParCount\": \"0\" }");
    WriteLevelList("BonusOnly", {{"Lvl_Bonus2", false}}, "{ \"Bonus2ParCount\": \"0\" }");
    LevelListBhv* empty = Start("EmptyLevels", false);
    EXPECT_TRUE(empty->Levels.empty());
    EXPECT_EQ(empty->ParCount, 0);
    EXPECT_EQ(LevelListBhv::GetLevelByNumber(1), nullptr);

    // No saved data: nothing is completed, and a par count of 0 still opens its level.
    LevelListBhv* list = Build("Levels")->GetComponent<LevelListBhv>();
    EXPECT_EQ(OpenNumbers(*list), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(list->FindLevel("Lvl_01")->IsCompleted());
    EXPECT_EQ(list->FindLevel("Lvl_01")->GetBestTime(), 0.0f);
    LevelListBhv* bonusOnly = Build("BonusOnly")->GetComponent<LevelListBhv>();
    EXPECT_FALSE(IsLocked(*bonusOnly, "Lvl_Bonus2"));
    RunPass();
    EXPECT_EQ(gLevelList, bonusOnly);
}

TEST_F(LevelListTest, TheUnlockMessageShowsItsTextUnderTheGameplayRoot) {
    WritePrefab("Message", "{ \"TextCmp\": \"\" }");
    WritePrefab("UiUnlockMessage", "\"\"", "[ { \"Prefab\": \"Message\" } ]");
    WriteLevelList("Levels", Levels(1, false));
    LevelListBhv* list = Start("Levels");
    gGameplayRoot = Root.get();
    const size_t before = Root->Children.size();
    list->ShowUnlockMessage("Bonus 1 unlocked!");
    gGameplayRoot = nullptr;
    ASSERT_EQ(Root->Children.size(), before + 1);
    const GameObject* banner = Root->Children.back();
    EXPECT_EQ(banner->PrefabName, "UiUnlockMessage");
    EXPECT_EQ(banner->FindChild("Message")->GetComponent<TextCmp>()->Text, "Bonus 1 unlocked!");
}

// The committed gameplay root starts the saved data before the level list, which finds
// the progress of the save file at once.
TEST_F(LevelListTest, TheCommittedGameplayRootLoadsTheSaveAndBuildsTheLevelTable) {
    ScopedPhysicsWorld physics;
    SavedProgress progress;
    progress.LevelBestTimes["Lvl_Boss"] = 70.0f;
    fs::create_directories(UserData.SaveFile().parent_path());
    std::ofstream(UserData.SaveFile(), std::ios::binary) << SaveFileWriter::Encode(progress);

    LoadContent();
    GameObject* root = Build("GameplayRoot");
    ASSERT_GE(root->Children.size(), 3u);
    EXPECT_EQ(root->Children[0]->Name, "SavedData");
    EXPECT_EQ(root->Children[1]->Name, "LevelList");
    // The game opens on the map, which needs both.
    EXPECT_EQ(root->Children[2]->Name, "LevelSelectScreen1");
    ASSERT_NE(gSavedData, nullptr);
    ASSERT_NE(gLevelList, nullptr);
    EXPECT_EQ(gSavedData->LevelBestTimes.count("Lvl_Boss"), 1u);

    const LevelDataCmp* first = LevelListBhv::GetLevelByNumber(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ObjectName, "Lvl_01");
    EXPECT_FALSE(first->IsLocked);
    EXPECT_FALSE(first->LevelName.empty());
    EXPECT_GT(first->ParTime, 0.0f);
    for (const char* reserved : {"Lvl_Boss", "Lvl_Yay", "Lvl_Bonus1", "Lvl_Bonus2", "Lvl_Survival"}) {
        EXPECT_NE(gLevelList->FindLevel(reserved), nullptr) << reserved;
    }
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Yay")->IsLocked);
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_Survival")->IsLocked);
    Root.reset();
    EXPECT_EQ(gSavedData, nullptr);
    EXPECT_EQ(gLevelList, nullptr);
}

}  // namespace
