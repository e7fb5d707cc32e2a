// Par times the level list should not hold: each is told, naming the level, and a par
// the map and the HUD can show and a run can beat is played instead.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ContentTestSupport.h"
#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "object/ContentWarning.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"

namespace {

// The committed level list with the par of each level given replaced by a text.
std::string LevelListWithPars(const std::vector<std::pair<std::string, std::string>>& pars) {
    std::string list = ReadTextFile(CommittedContent() / "Prefabs" / "LevelList.json");
    for (const auto& [level, par] : pars) {
        const size_t entry = list.find("\"Name\": \"" + level + "\"");
        const size_t value = list.find("\"ParTime\": \"", entry) + 12;
        list.replace(value, list.find('"', value) - value, par);
    }
    return list;
}

std::string InfoBoxPar(const PlayHarness& play) {
    const GameObject* par = play.Find("LevelSelectScreen1/LevelSelectInfoBox/ParText");
    return par != nullptr && par->Text != nullptr ? par->Text->Text : "(none)";
}

TEST(ParTimeValuesTest, AParNoRunCanBeatIsToldAndTheFallbackShownAndPlayed) {
    const std::vector<std::pair<std::string, std::string>> pars = {
        {"Lvl_01", "nan"}, {"Lvl_02", "-5"}, {"Lvl_03", "1e40"}, {"Lvl_04", ""}, {"Lvl_05", "0"}, {"Lvl_06", "1e9"},
    };
    PlayHarness play;
    play.WritePrefab("LevelList", LevelListWithPars(pars));
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& text) {
        if (text.rfind("Level list", 0) == 0) {
            told.push_back(text);
        }
    });
    play.StartGame();
    SetContentWarningListener(nullptr);

    const auto level = [](const std::string& name) {
        return "Level list \"LevelList\": level \"" + name + "\": \"ParTime\" ";
    };
    const std::string fallback = ", no par above 0 and at most 100000 seconds; a par of 60 seconds is used";
    EXPECT_EQ(told, (std::vector<std::string>{
                        level("Lvl_01") + "is 0 or no number" + fallback,
                        level("Lvl_02") + "of -5 seconds" + fallback,
                        level("Lvl_03") + "is 0 or no number" + fallback,
                        level("Lvl_04") + "is 0 or no number" + fallback,
                        level("Lvl_05") + "is 0 or no number" + fallback,
                        level("Lvl_06") + "of 1e+09 seconds" + fallback,
                    }));
    ASSERT_NE(gLevelList, nullptr);
    for (const auto& [name, text] : pars) {
        EXPECT_EQ(gLevelList->FindLevel(name)->ParTime, LevelDataCmp::FallbackPar) << name;
    }
    // The others keep theirs; the bonus modes are played against no par.
    EXPECT_EQ(gLevelList->FindLevel("Lvl_07")->ParTime, 6.0f);
    EXPECT_EQ(gLevelList->FindLevel("Lvl_Bonus1")->ParTime, 0.0f);

    // The map shows it.
    play.RunSeconds(1.5f);
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(InfoBoxPar(play), "60.00");
    // A run of 59 seconds beats it.
    gSavedData->LevelBestTimes["Lvl_02"] = 59.0f;
    play.RunPass();
    EXPECT_TRUE(gLevelList->FindLevel("Lvl_02")->IsParBeaten());
    EXPECT_EQ(gLevelList->ParCount, 1);
}

}  // namespace
