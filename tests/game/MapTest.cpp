// The level-select screen and its map from the committed prefabs, run by the main loop:
// the ring's layout, the cursor's walk, the info box, the background switches, and the
// zoom into a level.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PlayFixture.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/LevelRingBhv.h"
#include "game/map/MapBhv.h"
#include "game/map/MapCursorBhv.h"
#include "game/map/MapNodeCmp.h"
#include "game/screens/EditorLink.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "object/ContentWarning.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "render/Graphics.h"
#include "render/TextCmp.h"

namespace {

// More passes than the screen's one-second zoom with its closing frames.
constexpr int ZoomPasses = 66;

// The map over a level list of the test's own: main levels "Lvl_01".. with a par of 30
// seconds, and the reserved levels outside the progression.
class MapTest : public PlayFixture {
protected:
    MapTest() { gCurrentLevelName.clear(); }
    ~MapTest() override { gCurrentLevelName.clear(); }

    void WriteLevelList(int mainLevels) {
        std::string entries;
        const auto add = [&](const std::string& name, const std::string& properties) {
            entries += std::string(entries.empty() ? "" : ",") + "{ \"Name\": \"" + name +
                       "\", \"InstanceProperties\": { \"LevelDataCmp\": { " + properties +
                       " } }, \"Prefab\": \"LevelData\" }";
        };
        for (int i = 1; i <= mainLevels; ++i) {
            const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
            add("Lvl_" + number, "\"LevelName\": \"Level " + std::to_string(i) + "\", \"ParTime\": \"30\"");
        }
        for (const char* reserved : {"Lvl_Yay", "Lvl_Bonus2", "Lvl_Bonus1", "Lvl_Survival"}) {
            add(reserved, "\"InMainProgression\": \"false\", \"ParTime\": \"60\"");
        }
        WritePrefab("LevelList", "{ \"Components\": { \"LevelListBhv\": \"\" }, \"AutoCreate\": [" + entries + "] }");
    }

    // The saved data and the level list, as the gameplay root starts them.
    void LoadProgress(int mainLevels) {
        WriteLevelList(mainLevels);
        LoadCommittedProgress();
    }

    // The screen after its zoom-in, taking input.
    GameObject* OpenScreen() {
        Screen1 = Spawn("LevelSelectScreen1", Vector2());
        RunPasses(ZoomPasses);
        return Screen1;
    }

    void Press(Key key) {
        HeldKeys.insert(key);
        RunPass();
        HeldKeys.erase(key);
    }

    // First object of that name in the subtree, depth first.
    static GameObject* Find(GameObject* root, const std::string& name) {
        if (root->Name == name) {
            return root;
        }
        for (GameObject* child : root->Children) {
            if (GameObject* found = Find(child, name)) {
                return found;
            }
        }
        return nullptr;
    }
    GameObject* Object(const std::string& name) const {
        GameObject* found = Find(gGameplayRoot, name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    MapNodeCmp* Node(const std::string& name) const { return Object(name)->GetComponent<MapNodeCmp>(); }
    std::string InfoText(const std::string& child) const {
        return Object("LevelSelectInfoBox")->FindChild(child)->Text->Text;
    }
    bool InfoShown(const std::string& child) const {
        return Object("LevelSelectInfoBox")->FindChild(child)->DrawEnabled != 0;
    }
    bool BadgeShown(const std::string& icon, const std::string& badge) const {
        return Object(icon)->FindChild(badge)->DrawEnabled != 0;
    }

    // The level list written last (else the committed one) over the saved data, as the
    // game starts them.
    void LoadCommittedProgress() {
        LoadContent();
        // The map comes first; the gameplay screen is what it hands over to.
        delete gGameplayRoot->FindChild("GameplayScreen");
        Spawn("SavedData", Vector2());
        Spawn("LevelList", Vector2());
        ASSERT_NE(gSavedData, nullptr);
        ASSERT_NE(gLevelList, nullptr);
    }

    // Walks the real cursor with the arrow keys, one press at a time in each of the
    // eight bearings from every node it gets to, going back over the links it found.
    // Each locked level it arrives on is confirmed: that must buzz and flash the reason.
    // The nodes it stood on; where each press led is left in Arrivals.
    std::set<const MapNodeCmp*> WalkTheMap() {
        const MapCursorBhv* cursor = Object("MapCursor")->GetComponent<MapCursorBhv>();
        std::map<const MapNodeCmp*, std::vector<const MapNodeCmp*>>& arrivals = Arrivals;
        arrivals.clear();
        const MapNodeCmp* here = cursor->GetCurrent();
        std::set<const MapNodeCmp*> reached{here};
        ConfirmIfLocked(*here);
        const auto step = [&](size_t bearing) {
            HeldKeys = kBearings[bearing];
            RunPass();
            HeldKeys.clear();
            for (int pass = 0; pass < 240 && cursor->IsMoving(); ++pass) {
                RunPass();
            }
            RunPass();  // the icons and the info box follow the new node
            EXPECT_FALSE(cursor->IsMoving());
            return static_cast<const MapNodeCmp*>(cursor->GetCurrent());
        };
        for (;;) {
            std::vector<const MapNodeCmp*>& tried = arrivals[here];
            if (tried.size() < std::size(kBearings)) {
                const MapNodeCmp* there = step(tried.size());
                arrivals[here].push_back(there);
                if (reached.insert(there).second) {
                    ConfirmIfLocked(*there);
                }
                here = there;
                continue;
            }
            // The nearest node with bearings left to try, over the links found so far.
            std::map<const MapNodeCmp*, std::pair<const MapNodeCmp*, size_t>> cameFrom{{here, {nullptr, 0}}};
            std::deque<const MapNodeCmp*> queue{here};
            const MapNodeCmp* goal = nullptr;
            while (!queue.empty() && goal == nullptr) {
                const MapNodeCmp* node = queue.front();
                queue.pop_front();
                if (arrivals[node].size() < std::size(kBearings)) {
                    goal = node;
                    break;
                }
                for (size_t bearing = 0; bearing < arrivals[node].size(); ++bearing) {
                    if (cameFrom.emplace(arrivals[node][bearing], std::make_pair(node, bearing)).second) {
                        queue.push_back(arrivals[node][bearing]);
                    }
                }
            }
            if (goal == nullptr) {
                return reached;
            }
            std::vector<size_t> route;
            for (const MapNodeCmp* node = goal; node != here; node = cameFrom[node].first) {
                route.insert(route.begin(), cameFrom[node].second);
            }
            for (size_t bearing : route) {
                const MapNodeCmp* expected = arrivals[here][bearing];
                here = step(bearing);
                if (here != expected) {
                    ADD_FAILURE() << "a press led elsewhere than before";
                    return reached;
                }
            }
        }
    }

    // On a locked level: Space buzzes and the info box flashes why it is locked.
    void ConfirmIfLocked(const MapNodeCmp& node) {
        const LevelDataCmp* level = gLevelList->FindLevel(node.LevelObjectName);
        if (!node.IsLocked || level == nullptr) {
            return;
        }
        SCOPED_TRACE(node.GetName());
        ++LockedLevelsConfirmed;
        GameObject* reason = Object("LevelSelectInfoBox")->FindChild("LockReason");
        const float baseSize = reason->Text->FontSize;
        const int buzzes = CueCount("ErrorBuzz");
        EXPECT_EQ(gCurrentLevelName, level->ObjectName);
        Press(Key::Space);
        EXPECT_EQ(CueCount("ErrorBuzz"), buzzes + 1);
        EXPECT_TRUE(InfoShown("LockReason"));
        std::string expected = "Beat Previous Levels to Unlock";
        if (level->ObjectName == "Lvl_Bonus2") {
            expected = std::to_string(gLevelList->Bonus2ParCount - gLevelList->ParCount) + " More Pars to Unlock";
        } else if (level->ObjectName == "Lvl_Bonus1") {
            expected = std::to_string(gLevelList->Bonus1ParCount - gLevelList->ParCount) + " More Pars to Unlock";
        }
        EXPECT_EQ(InfoText("LockReason"), expected);
        RunPasses(14);
        EXPECT_GT(reason->Text->FontSize, baseSize * 1.2f) << "the reason flashes";
        RunPasses(18);
        EXPECT_FLOAT_EQ(reason->Text->FontSize, baseSize);
        EXPECT_TRUE(ObjectsOf("GameplayScreen").empty()) << "a locked level does not start";
    }

    // Single keys and pairs: every bearing the cursor can be sent along.
    inline static const std::set<Key> kBearings[] = {
        {Key::Up},
        {Key::Down},
        {Key::Left},
        {Key::Right},
        {Key::Up, Key::Left},
        {Key::Up, Key::Right},
        {Key::Down, Key::Left},
        {Key::Down, Key::Right},
    };

    GameObject* Screen1 = nullptr;
    int LockedLevelsConfirmed = 0;
    // Per node the walk stood on, the node each bearing of kBearings led to.
    std::map<const MapNodeCmp*, std::vector<const MapNodeCmp*>> Arrivals;
};

void ExpectAt(const GameObject* object, float x, float y) {
    EXPECT_NEAR(object->GetPos().X, x, 1e-4f) << object->Name;
    EXPECT_NEAR(object->GetPos().Y, y, 1e-4f) << object->Name;
}

TEST_F(MapTest, TheRingLaysOutAndChainsItsIconsAndShowsOnlyTheMainLevels) {
    LoadProgress(12);
    OpenScreen();
    GameObject* ring = Object("LevelRing");
    ASSERT_EQ(ring->GetComponent<LevelRingBhv>()->GetIcons().size(), 25u);

    // A 2 x 2 icon a unit from the edges of a 40 x 22.5 screen.
    ExpectAt(Object("Level1"), -18.0f, -9.25f);
    ExpectAt(Object("Level10"), 18.0f, -9.25f);
    ExpectAt(Object("Level13"), 18.0f, 0.0f);
    ExpectAt(Object("Level16"), 18.0f, 9.25f);
    ExpectAt(Object("Level25"), -18.0f, 9.25f);
    for (int i = 1; i <= 25; ++i) {
        const std::string name = "Level" + std::to_string(i);
        SCOPED_TRACE(name);
        const MapNodeCmp* node = Node(name);
        EXPECT_EQ(node->Connection1, i < 25 ? "Level" + std::to_string(i + 1) : "");
        EXPECT_EQ(Object(name)->DrawEnabled != 0, i <= 12);
        // Beyond the last level: linked, but no level and closed to the cursor.
        EXPECT_EQ(node->LevelObjectName.empty(), i > 12);
        if (i > 12) {
            EXPECT_TRUE(node->IsLocked);
            const auto linkedTo = [node](int number) {
                return std::any_of(node->Neighbours.begin(), node->Neighbours.end(), [number](const MapNodeCmp* n) {
                    return n->GetName() == "Level" + std::to_string(number);
                });
            };
            EXPECT_TRUE(linkedTo(i - 1));
            EXPECT_EQ(linkedTo(i + 1), i < 25);
        }
    }
    // Links go both ways: the bonus column reaches level 1 through the music icon.
    const std::vector<MapNodeCmp*>& firstNeighbours = Node("Level1")->Neighbours;
    EXPECT_NE(std::find(firstNeighbours.begin(), firstNeighbours.end(), Node("MusicMuteIcon")), firstNeighbours.end());

    // A row of one icon would divide by zero: it is laid out as a row of two.
    SetProperty(ring, "LevelRingBhv", "RowIcons", "1");
    RunPass();
    ExpectAt(Object("Level1"), -18.0f, -9.25f);
    ExpectAt(Object("Level2"), 18.0f, -9.25f);
    EXPECT_TRUE(std::isfinite(Object("Level12")->GetPos().X));
}

TEST_F(MapTest, TheCursorGlidesToTheNeighbourNearestTheKeyAndSwitchesHalfWay) {
    // A hub with neighbours at 0 (locked), 30, -50 and 60 degrees from the right, 4 units out.
    const auto node = [](const std::string& name, float degrees, const std::string& extra) {
        const double a = degrees * 3.14159265358979 / 180.0;
        const auto text = [](double v) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<float>(v));
            return std::string(buffer);
        };
        return "{ \"Name\": \"" + name + "\", \"InstanceProperties\": { \"Pos2dCmp\": { \"Pos\": { \"X\": \"" +
               text(4.0 * std::cos(a)) + "\", \"Y\": \"" + text(4.0 * std::sin(a)) + "\" } }" + extra +
               " }, \"Prefab\": \"TestNode\" }";
    };
    WritePrefab("TestNode", "{ \"Components\": { \"MapNodeCmp\": \"\", \"Pos2dCmp\": \"\" }, \"AutoCreate\": \"\" }");
    WritePrefab("TestMap",
                "{ \"Components\": { \"MapBhv\": \"\" }, \"AutoCreate\": [ { \"Name\": \"Hub\", \"Prefab\": "
                "\"TestNode\", \"InstanceProperties\": { \"MapNodeCmp\": { \"Connection1\": \"At60\" } } }, " +
                    node("At60", 60.0f, "") + ", " + node("At30", 30.0f, "") + ", " + node("AtMinus50", -50.0f, "") +
                    ", " + node("Locked", 0.0f, ", \"MapNodeCmp\": { \"IsLocked\": \"true\" }") +
                    ", { \"Name\": \"MapCursor\", \"Prefab\": \"MapCursor\" } ] }");
    LoadContent();
    GameObject* map = Spawn("TestMap", Vector2());
    const MapCursorBhv* cursor = Object("MapCursor")->GetComponent<MapCursorBhv>();
    RunPass();
    ASSERT_EQ(cursor->GetCurrent(), Node("Hub"));
    EXPECT_EQ(map->GetComponent<MapBhv>()->Nodes.size(), 5u);

    // Exactly 60 degrees off lies outside the cone.
    Press(Key::Right);
    EXPECT_FALSE(cursor->IsMoving());
    EXPECT_EQ(cursor->GetCurrent(), Node("Hub"));

    SetProperty(Object("Hub"), "MapNodeCmp", "Connection2", "AtMinus50");
    SetProperty(Object("Hub"), "MapNodeCmp", "Connection3", "At30");
    SetProperty(Object("Hub"), "MapNodeCmp", "Connection4", "Locked");
    // 4 units at 24 a second: a tenth of the way per pass, the switch on the fifth.
    HeldKeys.insert(Key::Right);
    RunPasses(4);
    HeldKeys.clear();
    EXPECT_TRUE(cursor->IsMoving());
    EXPECT_EQ(cursor->GetCurrent(), Node("Hub"));
    EXPECT_EQ(CueCount("LevelSelect"), 0);
    RunPasses(2);
    EXPECT_EQ(cursor->GetCurrent(), Node("At30"));
    EXPECT_EQ(CueCount("LevelSelect"), 1);
    EXPECT_TRUE(Node("At30")->IsCurrent);
    EXPECT_FALSE(Node("Hub")->IsCurrent);
    RunPasses(5);
    EXPECT_FALSE(cursor->IsMoving());
    ExpectAt(Object("MapCursor"), Object("At30")->GetPos().X, Object("At30")->GetPos().Y);

    // Without speed the cursor arrives at once instead of gliding for ever.
    SetProperty(Object("MapCursor"), "MapCursorBhv", "MoveSpeed", "0");
    Press(Key::Left);
    EXPECT_FALSE(cursor->IsMoving());
    EXPECT_EQ(cursor->GetCurrent(), Node("Hub"));
    EXPECT_EQ(CueCount("LevelSelect"), 2);
    Press(Key::Down);
    EXPECT_EQ(cursor->GetCurrent(), Node("AtMinus50"));
}

TEST_F(MapTest, TheInfoBoxAndTheIconsTellEachLevelsStateAndWhatOpensIt) {
    LoadProgress(12);
    OpenScreen();
    // A fresh profile selects the first main level.
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(InfoText("World"), "1: Level 1");
    EXPECT_EQ(InfoText("ParText"), "30.00");
    EXPECT_EQ(InfoText("BestText"), "");
    EXPECT_FALSE(InfoShown("LockReason"));
    EXPECT_FALSE(InfoShown("ParIcon"));

    gCurrentLevelName = "Lvl_07";
    RunPass();
    EXPECT_EQ(InfoText("World"), "7: Locked");
    EXPECT_EQ(InfoText("LockReason"), "Beat Previous Levels to Unlock");
    EXPECT_TRUE(InfoShown("LockReason"));
    EXPECT_FALSE(InfoShown("ParText"));

    // Four pars beaten, level 5 completed over its par.
    for (const char* level : {"Lvl_01", "Lvl_02", "Lvl_03", "Lvl_04"}) {
        gSavedData->LevelBestTimes[level] = 25.0f;
    }
    gSavedData->LevelBestTimes["Lvl_01"] = 30.0f;
    gSavedData->LevelBestTimes["Lvl_05"] = 45.5f;
    gCurrentLevelName = "Lvl_Bonus2";
    RunPass();
    EXPECT_EQ(gLevelList->ParCount, 4);
    EXPECT_EQ(InfoText("LockReason"), "6 More Pars to Unlock");
    EXPECT_EQ(InfoText("World"), "Bonus 1: Locked");
    gCurrentLevelName = "Lvl_Bonus1";
    RunPass();
    EXPECT_EQ(InfoText("LockReason"), "16 More Pars to Unlock");
    EXPECT_EQ(InfoText("World"), "Bonus 2: Locked");
    EXPECT_EQ(Object("Bonus1ParInfo")->FindChild("ParText")->Text->Text, "4 / 10");
    EXPECT_EQ(Object("Bonus2ParInfo")->FindChild("ParText")->Text->Text, "4 / 20");
    EXPECT_TRUE(Object("Bonus1ParInfo")->DrawEnabled);

    gCurrentLevelName = "Lvl_05";
    RunPass();
    EXPECT_EQ(InfoText("World"), "5: Level 5");
    EXPECT_EQ(InfoText("BestText"), "45.50");
    EXPECT_FALSE(InfoShown("ParIcon"));
    gCurrentLevelName = "Lvl_01";
    RunPass();
    EXPECT_EQ(InfoText("BestText"), "30.00");
    EXPECT_TRUE(InfoShown("ParIcon"));

    // Each state has its own badge: par beaten, completed, open, locked.
    EXPECT_TRUE(BadgeShown("Level1", "CompleteIcon"));
    EXPECT_TRUE(BadgeShown("Level1", "ParIcon"));
    EXPECT_TRUE(BadgeShown("Level5", "CompleteIcon"));
    EXPECT_FALSE(BadgeShown("Level5", "ParIcon"));
    EXPECT_FALSE(BadgeShown("Level6", "CompleteIcon"));
    EXPECT_FALSE(BadgeShown("Level6", "LockIcon"));
    EXPECT_TRUE(BadgeShown("Level9", "LockIcon"));
    EXPECT_TRUE(Node("Level9")->IsLocked);
    EXPECT_TRUE(BadgeShown("Bonus1Icon", "LockIcon"));

    // Ten pars open the chase mode and hide its panel.
    for (int i = 5; i <= 10; ++i) {
        gSavedData->LevelBestTimes["Lvl_" + std::string(i < 10 ? "0" : "") + std::to_string(i)] = 20.0f;
    }
    RunPass();
    EXPECT_FALSE(Object("Bonus1ParInfo")->DrawEnabled);
    EXPECT_FALSE(BadgeShown("Bonus1Icon", "LockIcon"));
    EXPECT_FALSE(Node("Bonus1Icon")->IsLocked);
}

TEST_F(MapTest, TheBackgroundSwitchesOpenWithTheBonusModesAndTurnEachOtherOff) {
    LoadProgress(4);
    OpenScreen();
    // World (-8.5, 5) and (-8.5, 1.5) on a 1280 x 720 window.
    const Vector2 first(368.0f, 200.0f);
    const Vector2 second(368.0f, 312.0f);
    const auto click = [&](Vector2 at) {
        Mouse = at;
        Press(Key::LeftMouse);
        RunPass();
    };
    click(second);
    EXPECT_FALSE(gSavedData->UseAltBackground2) << "locked until the ants-freed mode is completed";
    EXPECT_TRUE(BadgeShown("AltBg2Icon", "LockIcon"));
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "Background1");

    gSavedData->BestAntsFreed = gSavedData->AntsToFree;
    gSavedData->BestPacmanScore = gSavedData->PacmanTargetScore;
    RunPass();
    click(first);
    EXPECT_TRUE(gSavedData->UseAltBackground1);
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "BackgroundBonus");
    EXPECT_TRUE(BadgeShown("AltBg1Icon", "CheckedIcon"));
    click(second);
    EXPECT_FALSE(gSavedData->UseAltBackground1);
    EXPECT_TRUE(gSavedData->UseAltBackground2);
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "Background3");
    EXPECT_FALSE(BadgeShown("AltBg1Icon", "CheckedIcon"));
    click(second);
    EXPECT_FALSE(gSavedData->UseAltBackground1);
    EXPECT_FALSE(gSavedData->UseAltBackground2);
    EXPECT_EQ(gGraphics->Settings->BackgroundTexture, "Background1");
    EXPECT_EQ(CueCount("LevelSelect"), 3);
}

TEST_F(MapTest, ConfirmingStartsAnOpenLevelOnceAndRefusesALockedOne) {
    WritePrefab("GameplayScreen",
                "{ \"Components\": \"\", \"AutoCreate\": [ { \"Name\": \"Level\", \"Prefab\": \"LevelData\" } ] }");
    WritePrefab("UiQuitPopup", "{ \"Components\": \"\", \"AutoCreate\": \"\" }");
    LoadProgress(12);
    gCurrentLevelName = "Lvl_04";
    OpenScreen();
    const Vector2 worldScale = gGraphics->WorldCamera.Scale;

    // While editing MenuCancel is the editor's; otherwise holding it opens one quit popup.
    EditorFlags editing;
    editing.IsEditing = 1;
    gEditorFlags = &editing;
    Press(Key::Esc);
    gEditorFlags = nullptr;
    EXPECT_TRUE(ObjectsOf("UiQuitPopup").empty());
    RunPass();
    HeldKeys.insert(Key::Esc);
    RunPasses(3);
    HeldKeys.clear();
    EXPECT_EQ(ObjectsOf("UiQuitPopup").size(), 1u);

    // Level 4 of a fresh profile is locked: a buzz and a flash of the reason.
    GameObject* reason = Object("LevelSelectInfoBox")->FindChild("LockReason");
    const float baseSize = reason->Text->FontSize;
    Press(Key::Space);
    EXPECT_EQ(CueCount("ErrorBuzz"), 1);
    RunPasses(12);
    EXPECT_GT(reason->Text->FontSize, baseSize * 1.2f);
    RunPasses(30);
    EXPECT_FLOAT_EQ(reason->Text->FontSize, baseSize);
    EXPECT_TRUE(ObjectsOf("GameplayScreen").empty());

    // Walk to level 3 and start it; pressing again during the zoom changes nothing.
    // Released past half way, the glide still ends on the next icon.
    HeldKeys.insert(Key::Left);
    RunPasses(6);
    HeldKeys.clear();
    RunPasses(10);
    ASSERT_EQ(gCurrentLevelName, "Lvl_03");
    Press(Key::Space);
    EXPECT_EQ(gSavedData->LastLevelName, "Lvl_03");
    EXPECT_TRUE(std::filesystem::exists(SavedDataBhv::GetSavePath("Game")));
    RunPasses(20);
    EXPECT_LT(gGraphics->WorldCamera.Scale.X, worldScale.X * 0.8f);
    Press(Key::Space);
    EXPECT_EQ(CueCount("TransitionOff"), 1);
    RunPasses(ZoomPasses);

    const std::vector<GameObject*> screens = ObjectsOf("GameplayScreen");
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_FALSE(screens[0]->FindChild("Level")->UpdateEnabled);
    EXPECT_FALSE(screens[0]->FindChild("Level")->InputEnabled);
    EXPECT_EQ(CueCount("TransitionOn"), 1);
    EXPECT_EQ(gLevelSelectScreen, nullptr);
    EXPECT_TRUE(ObjectsOf("LevelSelectScreen1").empty());
    EXPECT_EQ(gGraphics->WorldCamera.Scale.X, worldScale.X);
}

TEST_F(MapTest, ANewMapSelectsTheLastStartedLevelAndPutsTheCursorOnIt) {
    LoadProgress(12);
    gSavedData->LastLevelName = "Lvl_02";
    OpenScreen();
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(Object("MapCursor")->GetComponent<MapCursorBhv>()->GetCurrent(), Node("Level2"));
    ExpectAt(Object("MapCursor"), Object("Level2")->GetPos().X, Object("Level2")->GetPos().Y);
    EXPECT_EQ(InfoText("World"), "2: Level 2");
}

TEST_F(MapTest, TheCursorWalksToEveryOpenIconAndOntoTheLockedOnesBesideThemInEveryUnlockState) {
    LoadCommittedProgress();
    struct Profile {
        const char* Name;
        size_t LevelsWithinPar;  // the first main levels, completed within their par
        bool ModesDone;          // the three bonus modes completed
        std::vector<const char*> Open;
    };
    const Profile profiles[] = {
        {"a fresh profile", 0, false, {"Level1", "Level3", "MusicMuteIcon", "DisplayIcon"}},
        {"ten pars", 10, false, {"Level12", "Bonus1Icon"}},
        {"twenty pars", 20, false, {"Bonus1Icon", "Bonus2Icon"}},
        {"the boss done", 24, false, {"Level25", "Bonus3Icon"}},
        {"everything done", 25, true, {"AltBg1Icon", "AltBg2Icon"}},
    };
    for (const Profile& profile : profiles) {
        SCOPED_TRACE(profile.Name);
        gSavedData->LevelBestTimes.clear();
        for (size_t i = 0; i < profile.LevelsWithinPar; ++i) {
            const LevelDataCmp* level = gLevelList->Levels.at(i);
            gSavedData->LevelBestTimes[level->ObjectName] = level->ParTime - 0.5f;
        }
        gSavedData->BestAntsFreed = profile.ModesDone ? gSavedData->AntsToFree : 0;
        gSavedData->BestPacmanScore = profile.ModesDone ? gSavedData->PacmanTargetScore : 0;
        gSavedData->BestSurvivalTime = profile.ModesDone ? 90.0f : 0.0f;
        gCurrentLevelName.clear();
        LockedLevelsConfirmed = 0;
        OpenScreen();

        const std::set<const MapNodeCmp*> reached = WalkTheMap();
        const std::vector<MapNodeCmp*>& nodes = Screen1->GetComponent<MapBhv>()->Nodes;
        ASSERT_GT(nodes.size(), 25u);
        const auto isOpen = [](const MapNodeCmp* node) { return !node->IsLocked && node->Owner->DrawEnabled; };
        for (const MapNodeCmp* node : nodes) {
            const bool besideAnOpenOne = std::any_of(node->Neighbours.begin(), node->Neighbours.end(), isOpen);
            if (isOpen(node) || (node->Owner->DrawEnabled && besideAnOpenOne)) {
                EXPECT_EQ(reached.count(node), 1u) << node->GetName() << (node->IsLocked ? " (locked)" : "");
            }
        }
        for (const char* name : profile.Open) {
            EXPECT_FALSE(Node(name)->IsLocked) << name;
        }
        if (gLevelList->FindLevel("Lvl_Bonus1")->IsLocked) {
            EXPECT_GT(LockedLevelsConfirmed, 0);
        }
        Screen1->Destroy();
        RunPass();
    }
}

// Two icons are drawn side by side when each is the other's nearest in the quarter
// around an arrow (B the nearest to A within 45 degrees of Down, A the nearest to B
// within 45 degrees of Up). Then that arrow leads from A to B and the opposite one back.
TEST_F(MapTest, TheArrowsLeadBetweenEveryTwoIconsDrawnSideBySide) {
    LoadCommittedProgress();
    OpenScreen();
    WalkTheMap();

    std::vector<const MapNodeCmp*> shown;
    for (const MapNodeCmp* node : Screen1->GetComponent<MapBhv>()->Nodes) {
        if (node->Owner->DrawEnabled != 0) {
            shown.push_back(node);
        }
    }
    ASSERT_GT(shown.size(), 25u);
    // The single arrows of kBearings, each beside its opposite: Up, Down, Left, Right.
    const Vector2 arrows[] = {Vector2(0.0f, 1.0f), Vector2(0.0f, -1.0f), Vector2(-1.0f, 0.0f), Vector2(1.0f, 0.0f)};
    const auto nearestToward = [&](const MapNodeCmp* from, size_t arrow) {
        const MapNodeCmp* nearest = nullptr;
        float nearestDistance = 0.0f;
        for (const MapNodeCmp* node : shown) {
            const Vector2 d = node->Owner->GetPos() - from->Owner->GetPos();
            const float distance = std::hypot(d.X, d.Y);
            const float along = d.X * arrows[arrow].X + d.Y * arrows[arrow].Y;
            if (node != from && along > distance * std::cos(0.785398163f) &&
                (nearest == nullptr || distance < nearestDistance)) {
                nearest = node;
                nearestDistance = distance;
            }
        }
        return nearest;
    };
    int pairs = 0;
    for (const MapNodeCmp* a : shown) {
        for (size_t arrow = 0; arrow < std::size(arrows); ++arrow) {
            const size_t back = arrow ^ 1u;
            const MapNodeCmp* b = nearestToward(a, arrow);
            if (b == nullptr || nearestToward(b, back) != a) {
                continue;
            }
            ++pairs;
            SCOPED_TRACE(a->GetName() + " and " + b->GetName());
            ASSERT_EQ(Arrivals[a].size(), std::size(kBearings)) << "the walk reached every shown icon";
            ASSERT_EQ(Arrivals[b].size(), std::size(kBearings));
            EXPECT_EQ(Arrivals[a][arrow]->GetName(), b->GetName()) << "arrow " << arrow;
            EXPECT_EQ(Arrivals[b][back]->GetName(), a->GetName()) << "arrow " << back;
        }
    }
    // Each pair counts from both ends: the ring's 24 and the icons inside it.
    EXPECT_GE(pairs, 2 * 24);
}

TEST_F(MapTest, TheWalkNeverLeavesTheShownIconsOfAShortLevelList) {
    LoadProgress(12);
    OpenScreen();
    const std::set<const MapNodeCmp*> reached = WalkTheMap();
    EXPECT_EQ(reached.count(Node("Level12")), 1u) << "the last level, locked, can be read";
    for (const MapNodeCmp* node : reached) {
        EXPECT_TRUE(node->Owner->DrawEnabled) << node->GetName() << " is not on the screen";
    }
}

TEST_F(MapTest, ALevelWhoseFileIsGoneIsToldOnceAndStaysLockedOnTheMap) {
    ASSERT_TRUE(std::filesystem::remove(Content->Path() / "Prefabs" / "Lvl_05.json"));
    std::vector<std::string> warnings;
    SetContentWarningListener([&](const std::string& text) {
        if (text.find("Lvl_05") != std::string::npos) {
            warnings.push_back(text);
        }
    });
    LoadCommittedProgress();
    // Completed before its file went: still nothing to play.
    for (const char* level : {"Lvl_01", "Lvl_02", "Lvl_03", "Lvl_04", "Lvl_05"}) {
        gSavedData->LevelBestTimes[level] = 5.0f;
    }
    gSavedData->LastLevelName = "Lvl_04";
    OpenScreen();
    RunPasses(30);
    SetContentWarningListener(nullptr);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("LevelList"), std::string::npos) << warnings[0];

    EXPECT_TRUE(Node("Level5")->IsLocked);
    EXPECT_TRUE(BadgeShown("Level5", "LockIcon"));
    // It holds no place of the skip allowance: the three after it are open.
    for (const char* open : {"Level6", "Level7", "Level8"}) {
        EXPECT_FALSE(Node(open)->IsLocked) << open;
    }
    EXPECT_TRUE(Node("Level9")->IsLocked);

    Press(Key::Right);
    RunPasses(20);
    ASSERT_EQ(gCurrentLevelName, "Lvl_05");
    EXPECT_EQ(InfoText("World"), "5: Locked");
    Press(Key::Space);
    EXPECT_EQ(CueCount("ErrorBuzz"), 1);
    RunPasses(ZoomPasses);
    EXPECT_TRUE(ObjectsOf("GameplayScreen").empty());
    EXPECT_NE(gLevelSelectScreen, nullptr);
}

}  // namespace
