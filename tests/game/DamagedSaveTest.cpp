// A save file holding values that no play gives, met by the whole game from its start:
// the map, the HUD and the next save.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SaveFileReader.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "object/TempFolder.h"
#include "render/TextCmp.h"

namespace {

using namespace std::string_literals;

std::string Bytes(float value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

std::string Bytes(int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

// The best times of Lvl_01 to Lvl_04, the three mode results and the last level
// "Lvl_02"; both sounds on and no other background. The times start at offsets 34, 45,
// 56 and 67; the ants at 73, the score at 77, the survival time at 81.
struct SaveCase {
    const char* What;
    float Times[4];
    int32_t Ants;
    int32_t Score;
    float Survival;
    // What the load tells, in file order, without the offsets' common text.
    std::vector<std::string> Told;
};

// Test names stay the same from run to run.
void PrintTo(const SaveCase& save, std::ostream* out) {
    *out << save.What;
}

std::string SaveBytes(const SaveCase& save) {
    std::string bytes = "WanderingPastTheGate!5\0"s + Bytes(int32_t{4});
    for (int i = 0; i < 4; ++i) {
        bytes += "Lvl_0" + std::to_string(i + 1) + "\0"s + Bytes(save.Times[i]);
    }
    return bytes + "\0\0"s + Bytes(save.Ants) + Bytes(save.Score) + Bytes(save.Survival) + "\0\0"s + "Lvl_02\0"s;
}

std::string BestTimeTold(int number, float time, int offset) {
    return "best time " + std::to_string(number) + " (\"Lvl_0" + std::to_string(number) + "\") is " +
           FloatToText(time) + " where a time above 0 and up to 100000 seconds belongs; it is left out (offset " +
           std::to_string(offset) + ")";
}

std::string CountTold(const char* field, int32_t count, int offset) {
    return std::string(field) + " is " + std::to_string(count) +
           " where a count of 0 or more belongs; it is left out (offset " + std::to_string(offset) + ")";
}

std::string SurvivalTold(float time) {
    return "BestSurvivalTime is " + FloatToText(time) +
           " where a time of 0 to 100000 seconds belongs; it is left out (offset 81)";
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kHuge = 3.4e38f;

class DamagedSaveTest : public PlayFixture, public ::testing::WithParamInterface<SaveCase> {
protected:
    DamagedSaveTest() { gCurrentLevelName.clear(); }
    ~DamagedSaveTest() override { gCurrentLevelName.clear(); }

    std::string Shown(const std::string& path) const {
        GameObject* object = Find(path);
        return object != nullptr && object->Text != nullptr && object->DrawEnabled ? object->Text->Text : "";
    }
    void Press(Key key) {
        TapInOnePump({key});
        RunSeconds(0.5f);
    }
};

// Each impossible value is told with the file, the value and its offset; it counts as
// never set on the map and the HUD; the next save leaves it out and keeps the file beside.
TEST_P(DamagedSaveTest, ImpossibleValuesAreToldLeftOutOfMapAndHudAndNotWrittenBack) {
    const SaveCase& save = GetParam();
    const std::string bytes = SaveBytes(save);
    const std::filesystem::path file = SavedDataBhv::GetSavePath("Game");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;

    ::testing::internal::CaptureStderr();
    StartGame();
    RunSeconds(1.2f);
    const std::string told = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(gSavedData, nullptr);
    EXPECT_NE(told.find("Save file \"" + file.string() + "\""), std::string::npos) << told;
    for (const std::string& line : save.Told) {
        EXPECT_NE(told.find(line), std::string::npos) << line << "\nin: " << told;
    }

    // Only a time that play gives shows as a best, on the map and on the HUD.
    std::map<std::string, float> kept;
    for (int i = 0; i < 4; ++i) {
        const float time = save.Times[i];
        if (time > 0.0f && time <= 100000.0f) {
            kept["Lvl_0" + std::to_string(i + 1)] = time;
        }
    }
    const auto bestShown = [&](const std::string& level) {
        return kept.count(level) != 0 ? FloatToString(kept[level]) : "";
    };
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(Shown("LevelSelectScreen1/LevelSelectInfoBox/BestText"), bestShown("Lvl_02"));
    for (const char* level : {"Lvl_03", "Lvl_04"}) {
        Press(Key::Right);
        ASSERT_EQ(gCurrentLevelName, level);
        EXPECT_EQ(Shown("LevelSelectScreen1/LevelSelectInfoBox/BestText"), bestShown(level)) << level;
    }
    Press(Key::Space);  // saves, then starts Lvl_04
    RunSeconds(2.5f);
    ASSERT_NE(gGameplayScreen, nullptr);
    EXPECT_EQ(Shown("GameplayScreen/Hud/BestText"), bestShown("Lvl_04"));
    gGameplayScreen->LoadLevel(gLevelList->FindLevel("Lvl_Survival"));
    RunPass();
    const float survival = save.Survival >= 0.0f && save.Survival <= 100000.0f ? save.Survival : 0.0f;
    EXPECT_EQ(Shown("GameplayScreen/Hud/AntsFreed"),
              survival > 0.0f ? "0.00      Best: " + FloatToString(survival) : "0.00");

    EXPECT_EQ(TempFolder::Read(file.string() + ".bak"), bytes) << "the damaged file is kept beside";
    SavedProgress written;
    const SaveFileReader::Result reread = SaveFileReader::Decode(TempFolder::Read(file), written);
    EXPECT_TRUE(reread.Complete()) << reread.Problem;
    EXPECT_EQ(written.LevelBestTimes, kept);
    EXPECT_EQ(written.BestAntsFreed, std::max(save.Ants, 0));
    EXPECT_EQ(written.BestPacmanScore, std::max(save.Score, 0));
    EXPECT_EQ(written.BestSurvivalTime, survival);
    EXPECT_EQ(written.LastLevelName, "Lvl_04");
}

INSTANTIATE_TEST_SUITE_P(NoPlayGivesThem, DamagedSaveTest,
                         ::testing::Values(SaveCase{"NotANumberInfiniteOrHuge",
                                                    {20.5f, kNaN, kInf, kHuge},
                                                    -7,
                                                    1200,
                                                    kHuge,
                                                    {BestTimeTold(2, kNaN, 45), BestTimeTold(3, kInf, 56),
                                                     BestTimeTold(4, kHuge, 67), CountTold("BestAntsFreed", -7, 73),
                                                     SurvivalTold(kHuge)}},
                                           SaveCase{"NegativeOrZero",
                                                    {20.5f, -2.5f, 0.0f, 25.0f},
                                                    300,
                                                    -1,
                                                    -5.0f,
                                                    {BestTimeTold(2, -2.5f, 45), BestTimeTold(3, 0.0f, 56),
                                                     CountTold("BestPacmanScore", -1, 77), SurvivalTold(-5.0f)}}),
                         [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.What); });

}  // namespace
