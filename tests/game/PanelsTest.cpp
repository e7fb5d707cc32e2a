// The text menu, the button, the pause and quit popups and the end-of-level panels,
// from the committed prefabs inside the real gameplay root, driven through the harness.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "ContentTestSupport.h"
#include "PlayFixture.h"
#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "game/ui/TextMenuBhv.h"
#include "game/ui/UiButtonBhv.h"
#include "game/ui/UiQuitPopupBhv.h"
#include "input/MessagePump.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

const Color kGreen{136, 255, 136, 255};
const Color kRed{255, 136, 136, 255};
// The end panels' slide of 0.6 s with a few passes to spare.
constexpr int SlidePasses = 40;

std::string CommittedPrefab(const std::string& name) {
    std::ifstream file(CommittedContent() / "Prefabs" / (name + ".json"));
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class PanelsTest : public PlayFixture {
protected:
    void Press(Key key) {
        HeldKeys.insert(key);
        RunPass();
        HeldKeys.erase(key);
        RunPass();
    }
    static int Live(const std::string& prefabName) {
        int count = 0;
        for (const GameObject* child : gGameplayRoot->Children) {
            count += child->PrefabName == prefabName && !child->PendingDestroy ? 1 : 0;
        }
        return count;
    }
    static GameObject* LiveObject(const std::string& prefabName) {
        for (GameObject* child : gGameplayRoot->Children) {
            if (child->PrefabName == prefabName && !child->PendingDestroy) {
                return child;
            }
        }
        return nullptr;
    }
    // The texts of the unlock banners shown since the last call; the banners go.
    std::vector<std::string> TakeBanners() {
        std::vector<std::string> texts;
        for (GameObject* child : gGameplayRoot->Children) {
            if (child->PrefabName == "UiUnlockMessage" && !child->PendingDestroy) {
                texts.push_back(child->FindChild("Message")->Text->Text);
                child->Destroy();
            }
        }
        RunPass();
        return texts;
    }
    // A level that stays still: the panels read its time and score as the test sets them.
    void StartFrozenLevel() {
        StartInLevel();
        RunPass();
        Screen().Owner->UpdateEnabled = 0;
        Screen().Owner->InputEnabled = 0;
    }
    // The panel of that prefab after it started, for the level and time given.
    GameObject* OpenPanel(const std::string& prefabName, const std::string& levelName, float time) {
        for (GameObject* old : gGameplayRoot->Children) {
            if (old->PrefabName == prefabName) {
                old->Destroy();
            }
        }
        gCurrentLevelName = levelName;
        Screen().LevelTime = time;
        GameObject* panel = BuildChildFromPrefab(prefabName, *gGameplayRoot);
        RunPass();
        return panel;
    }
    static std::string TextOf(GameObject* panel, const char* child) { return panel->FindChild(child)->Text->Text; }
    static bool BadgeShown(GameObject* panel) { return panel->FindChild("NewBestIcon")->DrawEnabled != 0; }
    // Main levels beyond the committed ones, all with a par of 30 s, for counting pars.
    static void AddParLevels(int count) {
        for (int i = 1; i <= count; ++i) {
            GameObject* level = BuildChildFromPrefab("LevelData", *gLevelList->Owner);
            level->Name = "Lvl_Par" + std::to_string(i);
            SetProperty(level, "LevelDataCmp", "ParTime", "30");
        }
    }
    static void BeatPars(int count) {
        for (int i = 1; i <= count; ++i) {
            gSavedData->LevelBestTimes["Lvl_Par" + std::to_string(i)] = 20.0f;
        }
    }
    // Reads the save file back over the fields.
    static void ReloadSave() {
        gSavedData->LevelBestTimes.clear();
        gSavedData->BestAntsFreed = 0;
        gSavedData->BestPacmanScore = 0;
        gSavedData->BestSurvivalTime = 0.0f;
        gSavedData->Load();
    }
};

TEST_F(PanelsTest, AMenuWrapsFadesItsOtherItemsAndAnEmptyMenuChoosesNothing) {
    WritePrefab("TestMenu", R"({"Components": {"Pos2dCmp": "", "TextMenuBhv": ""}, "AutoCreate": [
        {"Name": "A", "Prefab": "UiTextMenuItem"}, {"Name": "B", "Prefab": "UiTextMenuItem"},
        {"Name": "Other", "Prefab": "UiSprite"}, {"Name": "C", "Prefab": "UiTextMenuItem"}]})");
    WritePrefab("EmptyMenu", R"({"Components": {"TextMenuBhv": ""}, "AutoCreate": ""})");
    StartFrozenLevel();
    GameObject* menuObject = Spawn("TestMenu", Vector2());
    auto* menu = menuObject->GetComponent<TextMenuBhv>();
    std::vector<int> chosen;
    menu->OnSelect = [&](int index) { chosen.push_back(index); };
    RunPass();
    ASSERT_EQ(menu->ItemCount(), 3) << "only the menu items count";
    const auto alphas = [&] {
        return std::vector<int>{menuObject->FindChild("A")->Tint->Tint.A, menuObject->FindChild("B")->Tint->Tint.A,
                                menuObject->FindChild("C")->Tint->Tint.A};
    };
    EXPECT_EQ(alphas(), (std::vector<int>{255, 127, 127}));
    Press(Key::Up);
    EXPECT_EQ(menu->SelectedIndex, 2);
    EXPECT_EQ(alphas(), (std::vector<int>{127, 127, 255}));
    Press(Key::Down);
    EXPECT_EQ(menu->SelectedIndex, 0);
    Press(Key::S);
    EXPECT_EQ(menu->SelectedIndex, 1);
    Press(Key::Space);
    EXPECT_EQ(chosen, std::vector<int>{1});

    // Held, the key steps once, then repeats after its delay.
    int steps = 0;
    const auto holdDown = [&](float seconds) {
        HeldKeys.insert(Key::Down);
        for (int pass = 0; pass < static_cast<int>(seconds * 60.0f); ++pass) {
            const int before = menu->SelectedIndex;
            RunPass();
            steps += menu->SelectedIndex != before ? 1 : 0;
        }
    };
    holdDown(0.3f);
    EXPECT_EQ(steps, 1);
    holdDown(0.2f);
    EXPECT_GE(steps, 3);
    HeldKeys.clear();
    RunPass();

    auto* empty = Spawn("EmptyMenu", Vector2())->GetComponent<TextMenuBhv>();
    bool called = false;
    empty->OnSelect = [&](int) { called = true; };
    RunPass();
    Press(Key::Up);
    Press(Key::Space);
    EXPECT_FALSE(called) << "no item to choose";
}

TEST_F(PanelsTest, AButtonClicksOnlyOnReleaseInsideAfterAPressInsideAtAnyWindowSize) {
    WritePrefab("TestButton", R"({"Components": {"Pos2dCmp": {"Pos": {"X": "200", "Y": "100"}},
        "SpriteCmp": {"ImageName": "Button", "Layer": "Ui", "Size": {"X": "100", "Y": "50"}, "Tex": "Ui"},
        "TintCmp": "", "UiButtonBhv": {"IsGrayedOut": "true"}}, "AutoCreate": ""})");
    StartFrozenLevel();
    GameObject* object = Spawn("TestButton", Vector2());
    object->SetPos(Vector2(200.0f, 100.0f));
    auto* button = object->GetComponent<UiButtonBhv>();
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };
    RunPass();
    EXPECT_EQ(object->Tint->Tint.A, 51) << "greyed out";

    // The button spans 150..250 x 75..125 in interface space.
    for (const auto& [width, height] : {std::pair{1280, 720}, std::pair{1920, 1080}}) {
        SCOPED_TRACE(width);
        gGraphics->Width = width;
        gGraphics->Height = height;
        const float scale = static_cast<float>(width) / 1280.0f;
        const Vector2 inside = Vector2(200.0f, 100.0f) * scale;
        const Vector2 outside = Vector2(300.0f, 100.0f) * scale;
        clicks = 0;
        const auto drag = [&](Vector2 from, Vector2 to) {
            Mouse = from;
            HeldKeys = {Key::LeftMouse};
            RunPass();
            Mouse = to;
            RunPass();
            HeldKeys.clear();
            RunPass();
        };
        drag(inside, inside);
        EXPECT_EQ(clicks, 1);
        drag(inside, outside);
        drag(outside, inside);
        EXPECT_EQ(clicks, 1) << "a drag across the edge never clicks";
    }
    // 1.5 times the interface's pixels: a window point at (280, 140) is (186, 93) inside.
    Mouse = Vector2(280.0f, 140.0f);
    HeldKeys = {Key::LeftMouse};
    RunPass();
    EXPECT_TRUE(button->IsPressed);
    HeldKeys.clear();
    RunPass();
    EXPECT_FALSE(button->IsPressed);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PanelsTest, PauseZoomsInIgnoresPauseMeanwhileResumesOrReturnsToTheMap) {
    StartInLevel();
    RunPass();
    Tap(Key::P);
    RunPass();
    GameObject* popup = LiveObject("UiPausePopup");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CueCount("Pause"), 1);
    EXPECT_FALSE(Screen().Owner->UpdateEnabled);
    GameObject* background = popup->FindChild("Background");
    EXPECT_GT(background->Sprite->Size.X, 560.0f * 3.0f) << "starting large";

    // A press during the 0.25 s zoom-in changes nothing.
    Tap(Key::P);
    RunPass();
    EXPECT_FALSE(popup->InputEnabled);
    EXPECT_FALSE(Screen().Owner->UpdateEnabled);
    EXPECT_EQ(CueCount("Unpause"), 0);
    RunSeconds(0.25f);
    EXPECT_TRUE(popup->InputEnabled);
    EXPECT_FLOAT_EQ(background->Sprite->Size.X, 560.0f);
    EXPECT_EQ(popup->Tint->Tint.A, 255);

    // The title pulses around its size by PulsateAmount / 2 either way.
    float smallest = 1e9f;
    float largest = 0.0f;
    for (int pass = 0; pass < 60; ++pass) {
        RunPass();
        const float size = popup->FindChild("Title")->Text->FontSize;
        smallest = std::min(smallest, size);
        largest = std::max(largest, size);
    }
    EXPECT_NEAR(largest, 64.0f * 1.1f, 0.3f);
    EXPECT_NEAR(smallest, 64.0f * 0.9f, 0.3f);

    Tap(Key::P);
    RunPass();
    EXPECT_EQ(CueCount("Unpause"), 1);
    EXPECT_TRUE(Screen().Owner->UpdateEnabled);
    EXPECT_TRUE(Screen().Owner->InputEnabled);
    RunSeconds(0.3f);
    EXPECT_EQ(Live("UiPausePopup"), 0) << "gone after its zoom-out";

    // Pause again and leave for the map.
    Tap(Key::P);
    RunSeconds(0.3f);
    ASSERT_EQ(Live("UiPausePopup"), 1);
    Tap(Key::M);
    RunPass();
    EXPECT_EQ(Live("UiPausePopup"), 0);
    EXPECT_TRUE(Screen().FindOrCreateCoroutine(&GameplayScreenBhv::ReturnToMapCoroutine)->Running);
}

TEST_F(PanelsTest, APulseIntervalOfZeroIsRefusedAndLeavesTheTitleAlone) {
    std::string popup = CommittedPrefab("UiPausePopup");
    const size_t at = popup.find("\"PulsateInterval\": \"1\"");
    ASSERT_NE(at, std::string::npos);
    popup.replace(at, 22, "\"PulsateInterval\": \"0\"");
    WritePrefab("UiPausePopup", popup);
    StartInLevel();
    RunPass();
    testing::internal::CaptureStderr();
    Tap(Key::P);
    RunSeconds(0.5f);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("\"UiPausePopup\": PulsateInterval"), std::string::npos) << log;
    const float size = LiveObject("UiPausePopup")->FindChild("Title")->Text->FontSize;
    EXPECT_FALSE(std::isnan(size));
    EXPECT_EQ(size, 64.0f);
}

TEST_F(PanelsTest, TheQuitPopupTakesATitleOfTheListAndClosesOrQuits) {
    StartGame();
    RunSeconds(1.2f);
    ASSERT_NE(gLevelSelectScreen, nullptr);
    Tap(Key::Esc);
    RunPass();
    GameObject* popup = LiveObject("UiQuitPopup");
    ASSERT_NE(popup, nullptr);
    const std::vector<std::string>& titles = UiQuitPopupBhv::Titles();
    ASSERT_EQ(titles.size(), 11u);
    EXPECT_NE(std::find(titles.begin(), titles.end(), TextOf(popup, "Title")), titles.end());
    EXPECT_FALSE(gLevelSelectScreen->Owner->InputEnabled);
    GameObject* infoBox = Find("LevelSelectScreen1/LevelSelectInfoBox");
    ASSERT_NE(infoBox, nullptr);
    EXPECT_FALSE(infoBox->DrawEnabled) << "it would show through";

    // A click on the Esc key picture closes it, at a window of another size too.
    gGraphics->Width = 1920;
    gGraphics->Height = 1080;
    const Vector2 escKey = popup->FindChild("KeyEsc")->GetPos() * 1.5f;
    Mouse = escKey;
    Tap(Key::LeftMouse);
    RunPass();
    EXPECT_EQ(Live("UiQuitPopup"), 0);
    EXPECT_TRUE(gLevelSelectScreen->Owner->InputEnabled);
    EXPECT_TRUE(infoBox->DrawEnabled);
    EXPECT_FALSE(IsQuitPosted());

    Tap(Key::Esc);
    RunPass();
    popup = LiveObject("UiQuitPopup");
    ASSERT_NE(popup, nullptr);
    Mouse = popup->FindChild("KeySpace")->GetPos() * 1.5f;
    Tap(Key::LeftMouse);
    RunPass();
    EXPECT_TRUE(IsQuitPosted());
    EXPECT_FALSE(PumpMessages()) << "the next pump ends the program";
    EXPECT_FALSE(IsQuitPosted());
}

TEST_F(PanelsTest, TheLevelCompletePanelRecordsTimesTellsOfUnlocksAndShowsTheBadgeForAFasterRun) {
    StartFrozenLevel();
    AddParLevels(20);
    BeatPars(9);
    gLevelList->FindLevel("Lvl_01")->ParTime = 30.0f;  // a round par of the test's own
    RunPass();
    ASSERT_EQ(gLevelList->ParCount, 9);

    // The first under-par run that makes ten pars: saved, banner, no badge.
    GameObject* panel = OpenPanel("UiLevelCompletePopup", "Lvl_01", 25.5f);
    EXPECT_EQ(TakeBanners(), std::vector<std::string>{"Bonus Level 1 Unlocked"});
    EXPECT_FALSE(BadgeShown(panel));
    EXPECT_EQ(TextOf(panel, "LevelName"), "First Steps");
    EXPECT_EQ(TextOf(panel, "TimeText"), "25.50");
    EXPECT_EQ(TextOf(panel, "ParText"), "30.00");
    EXPECT_EQ(panel->FindChild("TimeText")->Tint->Tint, kGreen);
    EXPECT_NE(TextOf(panel, "KeyHint").find("Space: Next       "), std::string::npos);
    ReloadSave();
    EXPECT_EQ(gSavedData->LevelBestTimes["Lvl_01"], 25.5f) << "in Game.sav";

    // Slower, then equal: nothing saved, no badge, no banner; faster: saved with the badge.
    for (float time : {40.0f, 25.5f}) {
        panel = OpenPanel("UiLevelCompletePopup", "Lvl_01", time);
        EXPECT_EQ(panel->FindChild("TimeText")->Tint->Tint == kGreen, time < 30.0f) << time;
        EXPECT_FALSE(BadgeShown(panel)) << time;
        EXPECT_TRUE(TakeBanners().empty()) << time;
        ReloadSave();
        EXPECT_EQ(gSavedData->LevelBestTimes["Lvl_01"], 25.5f) << time;
    }
    panel = OpenPanel("UiLevelCompletePopup", "Lvl_01", 20.0f);
    EXPECT_TRUE(BadgeShown(panel));
    ReloadSave();
    EXPECT_EQ(gSavedData->LevelBestTimes["Lvl_01"], 20.0f);

    // Nineteen pars, then the twentieth.
    BeatPars(18);
    RunPass();
    ASSERT_EQ(gLevelList->ParCount, 19);
    OpenPanel("UiLevelCompletePopup", "Lvl_02", gLevelList->FindLevel("Lvl_02")->ParTime - 1.0f);
    EXPECT_EQ(TakeBanners(), std::vector<std::string>{"Bonus Level 2 Unlocked"});

    // The boss: survival opens on the first completion only, and there is no par line.
    panel = OpenPanel("UiLevelCompletePopup", "Lvl_Boss", 500.0f);
    EXPECT_EQ(TakeBanners(), std::vector<std::string>{"Survival Mode Unlocked"});
    for (const char* hidden : {"TimeLabel", "TimeText", "ParLabel", "ParText"}) {
        EXPECT_FALSE(panel->FindChild(hidden)->DrawEnabled) << hidden;
    }
    OpenPanel("UiLevelCompletePopup", "Lvl_Boss", 400.0f);
    EXPECT_TRUE(TakeBanners().empty());

    // The last level offers no next level; a level the list does not know shows its name.
    panel = OpenPanel("UiLevelCompletePopup", "Lvl_Yay", 10.0f);
    EXPECT_EQ(TextOf(panel, "KeyHint").find("Space: Next"), std::string::npos);
    panel = OpenPanel("UiLevelCompletePopup", "Lvl_PlayTested", 12.0f);
    EXPECT_EQ(TextOf(panel, "LevelName"), "Lvl_PlayTested");
    EXPECT_EQ(TextOf(panel, "TimeText"), "12.00");
    EXPECT_FALSE(panel->FindChild("ParText")->DrawEnabled);
    EXPECT_EQ(gSavedData->LevelBestTimes.count("Lvl_PlayTested"), 0u);
}

TEST_F(PanelsTest, TheBonusPanelsKeepTheBestResultsAndOpenTheBackgrounds) {
    StartFrozenLevel();
    const auto spawnAnts = [&](int count) {
        for (int i = 0; i < count; ++i) {
            SpawnInLevel("En_Ant", Vector2(-10.0f + 2.0f * static_cast<float>(i), 5.0f));
        }
    };
    // Only the ants placed here count.
    for (GameObject* ant : ObjectsOf("En_Ant")) {
        ant->DetachAndDestroy();
    }
    spawnAnts(3);
    ASSERT_EQ(Screen().CountAnts(), 3);

    // One fewer than the goal fails, yet the best rises; the goal itself completes.
    gSavedData->AntsToFree = 4;
    gSavedData->BestAntsFreed = 1;
    GameObject* panel = OpenPanel("UiAntsFreedPopup", "Lvl_Bonus1", 0.0f);
    EXPECT_EQ(TextOf(panel, "Title"), "Level Failed");
    EXPECT_EQ(TextOf(panel, "AntsFreedText"), "3 / 4");
    EXPECT_EQ(panel->FindChild("AntsFreedText")->Tint->Tint, kRed);
    EXPECT_TRUE(TakeBanners().empty());
    ReloadSave();
    EXPECT_EQ(gSavedData->BestAntsFreed, 3);
    gSavedData->AntsToFree = 3;
    panel = OpenPanel("UiAntsFreedPopup", "Lvl_Bonus1", 0.0f);
    EXPECT_EQ(TextOf(panel, "Title"), "Level Complete!");
    EXPECT_EQ(panel->FindChild("AntsFreedText")->Tint->Tint, kGreen);
    EXPECT_TRUE(TakeBanners().empty()) << "three were already freed once";
    spawnAnts(1);
    panel = OpenPanel("UiAntsFreedPopup", "Lvl_Bonus1", 0.0f);
    EXPECT_TRUE(TakeBanners().empty());
    gSavedData->BestAntsFreed = 2;
    OpenPanel("UiAntsFreedPopup", "Lvl_Bonus1", 0.0f);
    EXPECT_EQ(TakeBanners(), std::vector<std::string>{"Alternate Background 2 Unlocked"});

    // The first pill-chase result at the target opens background 1 with no badge.
    Screen().Score = 1500;
    panel = OpenPanel("UiPacmanCompletePopup", "Lvl_Bonus2", 0.0f);
    EXPECT_EQ(TakeBanners(), std::vector<std::string>{"Alternate Background 1 Unlocked"});
    EXPECT_FALSE(BadgeShown(panel));
    EXPECT_EQ(TextOf(panel, "ScoreText"), "1500");
    Screen().Score = 1600;
    panel = OpenPanel("UiPacmanCompletePopup", "Lvl_Bonus2", 0.0f);
    EXPECT_TRUE(BadgeShown(panel));
    EXPECT_TRUE(TakeBanners().empty());
    ReloadSave();
    EXPECT_EQ(gSavedData->BestPacmanScore, 1600);

    // Survival: a longer time is saved and green; an equal one is neither.
    const Color plain = LiveObject("UiPacmanCompletePopup") != nullptr ? Color{255, 255, 255, 255} : Color{};
    panel = OpenPanel("UiSurvivalCompletePopup", "Lvl_Survival", 42.5f);
    EXPECT_EQ(TextOf(panel, "ScoreText"), "42.50 seconds");
    EXPECT_EQ(TextOf(panel, "BestText"), "42.50");
    EXPECT_EQ(panel->FindChild("ScoreText")->Tint->Tint, kGreen);
    gSavedData->BestSurvivalTime = 0.0f;
    ReloadSave();
    EXPECT_EQ(gSavedData->BestSurvivalTime, 42.5f);
    gSavedData->BestSurvivalTime = 42.5f;
    panel = OpenPanel("UiSurvivalCompletePopup", "Lvl_Survival", 42.5f);
    EXPECT_EQ(panel->FindChild("ScoreText")->Tint->Tint, plain);
    gSavedData->BestSurvivalTime = 10.0f;
    ReloadSave();
    EXPECT_EQ(gSavedData->BestSurvivalTime, 42.5f);
}

TEST_F(PanelsTest, APanelTakesOneChoiceOnlyAfterItSlidIn) {
    StartInLevel();
    RunPass();
    Screen().OnExitReached();
    GameObject* panel = LiveObject("UiLevelCompletePopup");
    ASSERT_NE(panel, nullptr);
    RunPass();
    const float restX = 640.0f;
    EXPECT_LT(panel->GetPos().X, restX - 700.0f) << "starting off to the left";
    HeldKeys = {Key::N, Key::R};
    RunPass();
    HeldKeys.clear();
    EXPECT_EQ(CueCount("PlayerDie"), 0) << "no choice while sliding in";
    RunPasses(SlidePasses);
    EXPECT_EQ(panel->GetPos().X, restX);
    EXPECT_EQ(CueCount("LevelComplete"), 1);

    // Next and replay in one pass: only the change of level.
    HeldKeys = {Key::N, Key::R};
    RunPass();
    HeldKeys.clear();
    EXPECT_FALSE(panel->InputEnabled);
    EXPECT_TRUE(Screen().FindOrCreateCoroutine(&GameplayScreenBhv::ChangeLevelCoroutine)->Running);
    EXPECT_FALSE(Screen().FindOrCreateCoroutine(&GameplayScreenBhv::RespawnCoroutine)->Running);
    RunPasses(SlidePasses);
    EXPECT_EQ(Live("UiLevelCompletePopup"), 0) << "slid out and gone";
}

// How a level's end panel is reached in play: its exit, the replay key that ends a bonus
// round, or a death in one.
enum class LevelEnd { Exit, ReplayKey, Death };

struct EndPanelCase {
    const char* Name;
    const char* Level;
    LevelEnd End;
    const char* Panel;
};

// Test names stay the same from run to run.
void PrintTo(const EndPanelCase& test, std::ostream* out) {
    *out << test.Name;
}

class EndPanelPauseTest : public PanelsTest, public ::testing::WithParamInterface<EndPanelCase> {
protected:
    // Moving starts the round of a bonus mode.
    void Move() {
        HeldKeys = {Key::D};
        RunSeconds(0.3f);
        HeldKeys.clear();
    }
    void EndTheLevel(LevelEnd end) {
        switch (end) {
            case LevelEnd::Exit:
                gPlayer->Owner->SetPos(Find("GameplayScreen/Level/Layer1/Exit")->GetPos() + Vector2(-3.0f, 0.0f));
                HeldKeys = {Key::D};
                break;
            case LevelEnd::ReplayKey:
                Move();
                TapInOnePump({Key::R});
                break;
            case LevelEnd::Death:
                Move();
                SpawnInLevel("En_Chaser", gPlayer->Owner->GetPos() + Vector2(1.0f, 0.0f));
                break;
        }
    }
};

// P while an end panel shows does nothing; M then leaves for the map as the panel says.
TEST_P(EndPanelPauseTest, PauseIsIgnoredUnderAnEndPanelAndTheMapKeyStillLeaves) {
    const EndPanelCase& test = GetParam();
    gCurrentLevelName = test.Level;
    StartInLevel();
    RunSeconds(1.5f);  // the title card and the camera's arrival
    ASSERT_NE(gPlayer, nullptr);
    EndTheLevel(test.End);
    const int passes = PassesUntil([&] { return Live(test.Panel) == 1; }, 180);
    HeldKeys.clear();
    ASSERT_GT(passes, 0) << "the level ends in its panel";
    RunPasses(SlidePasses);

    TapInOnePump({Key::P});
    RunSeconds(0.5f);
    EXPECT_EQ(Live("UiPausePopup"), 0) << "no pause popup over the panel";
    EXPECT_EQ(CueCount("Pause"), 0);
    EXPECT_TRUE(Screen().Owner->UpdateEnabled) << "the screen is not frozen";
    EXPECT_EQ(Live(test.Panel), 1);

    TapInOnePump({Key::M});
    RunSeconds(2.0f);
    EXPECT_EQ(gGameplayScreen, nullptr) << "the screen went";
    EXPECT_NE(gLevelSelectScreen, nullptr) << "back on the map";
    EXPECT_EQ(Live(test.Panel), 0);
    EXPECT_EQ(Live("UiPausePopup"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryEndPanel, EndPanelPauseTest,
    ::testing::Values(EndPanelCase{"LevelComplete", "Lvl_01", LevelEnd::Exit, "UiLevelCompletePopup"},
                      EndPanelCase{"AntsFreed", "Lvl_Bonus1", LevelEnd::Exit, "UiAntsFreedPopup"},
                      EndPanelCase{"PillChaseReplayKey", "Lvl_Bonus2", LevelEnd::ReplayKey, "UiPacmanCompletePopup"},
                      EndPanelCase{"SurvivalReplayKey", "Lvl_Survival", LevelEnd::ReplayKey, "UiSurvivalCompletePopup"},
                      EndPanelCase{"SurvivalDeath", "Lvl_Survival", LevelEnd::Death, "UiSurvivalCompletePopup"}),
    [](const ::testing::TestParamInfo<EndPanelCase>& info) { return std::string(info.param.Name); });

// From the map: level 1, its exit, the next level, a death, the exit again, a replay,
// then a pause and back to the map.
TEST_F(PanelsTest, APlayThroughFromTheMapAndBack) {
    WritePrefab("Lvl_02", CommittedPrefab("Lvl_01"));  // the second level's place, as the first
    StartGame();
    RunSeconds(1.2f);
    ASSERT_NE(gLevelSelectScreen, nullptr);
    Tap(Key::Space);
    RunSeconds(2.5f);
    ASSERT_NE(gGameplayScreen, nullptr);
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    ASSERT_NE(gPlayer, nullptr);

    const auto reachTheExit = [&] {
        GameObject* exit = Find("GameplayScreen/Level/Layer1/Exit");
        ASSERT_NE(exit, nullptr);
        gPlayer->Owner->SetPos(exit->GetPos() + Vector2(-3.0f, 0.0f));
        HeldKeys = {Key::D};
        const int passes = PassesUntil([&] { return Live("UiLevelCompletePopup") == 1; }, 120);
        HeldKeys.clear();
        ASSERT_GT(passes, 0) << "the exit shows the panel";
        RunPasses(SlidePasses);
    };
    HeldKeys = {Key::D};
    RunSeconds(0.5f);
    reachTheExit();
    EXPECT_EQ(gSavedData->LevelBestTimes.count("Lvl_01"), 1u);
    Tap(Key::Space);
    RunSeconds(2.5f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(Live("UiLevelCompletePopup"), 0);

    // A death and its respawn, then the exit and a replay from the panel.
    HeldKeys = {Key::W};
    RunSeconds(0.5f);
    HeldKeys.clear();
    Tap(Key::R);
    RunSeconds(2.0f);
    EXPECT_EQ(CueCount("PlayerDie"), 1);
    EXPECT_EQ(CueCount("PlayerRespawn"), 1);
    HeldKeys = {Key::D};
    RunSeconds(0.5f);
    reachTheExit();
    Tap(Key::R);
    RunSeconds(2.0f);
    EXPECT_EQ(CueCount("PlayerRespawn"), 2);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(Live("UiLevelCompletePopup"), 0);

    Tap(Key::P);
    RunSeconds(0.4f);
    ASSERT_EQ(Live("UiPausePopup"), 1);
    Tap(Key::M);
    RunSeconds(3.0f);
    EXPECT_EQ(gGameplayScreen, nullptr);
    EXPECT_NE(gLevelSelectScreen, nullptr);
    EXPECT_EQ(Live("UiPausePopup"), 0);
}

}  // namespace
