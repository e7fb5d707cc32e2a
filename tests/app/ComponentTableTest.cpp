#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "ManualClock.h"
#include "app/Application.h"
#include "object/Component.h"
#include "object/Events.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/TweensBhv.h"
#include "program/ComponentTable.h"

namespace {

// Every name the program's table may hold, from "PrefabComponent" on.
const std::set<std::string> kTableNames = {
    "PrefabComponent",
    "TweensBhv",
    "EdButtonBhv",
    "EdCameraMoverBhv",
    "EdDebugRectsBhv",
    "EdDialogBhv",
    "EdDlgComponentPickerBhv",
    "EdDlgMessageBoxBhv",
    "EdDlgPrefabPickerBhv",
    "EdFieldBhv",
    "EdHotReloadMonitorBhv",
    "EdLevelEditorBhv",
    "EdListItemBhv",
    "EdPalAutoCreateListBhv",
    "EdPaletteBhv",
    "EdPalMainBhv",
    "EdPalObjectEditBhv",
    "EdPalObjectListBhv",
    "EdPalPrefabListBhv",
    "EdPropertyRowBhv",
    "EdRootBhv",
    "EdRowMultiContainerBhv",
    "EdShapeEditorBhv",
    "EdSpacerBhv",
    "EdSpriteMoverBhv",
    "EdSpritePickerBhv",
    "EdTitleBarBhv",
    "EdToggleBhv",
    "EnemyCmp",
    "EnStandardDamageBhv",
    "En_AntBhv",
    "En_AntSackBhv",
    "En_CentipedeBhv",
    "En_CentipedeCellBhv",
    "En_ChaserBhv",
    "En_PacmanSpawnerBhv",
    "En_SurvivalSpawnerBhv",
    "ScoreParticleBhv",
    "SpawnCloudBhv",
    "AnimationBhv",
    "DirectionalSpriteLightBhv",
    "Pos2dCmp",
    "SpriteCmp",
    "TintCmp",
    "B2BodyCmp",
    "B2FixtureCmp",
    "FixtureMouseListenerBhv",
    "FixtureMouseManagerBhv",
    "AimManagerBhv",
    "PistolBhv",
    "PlayerBhv",
    "PlayerBulletBhv",
    "ReadyPromptBhv",
    "ShotgunBhv",
    "WeaponCmp",
    "WeaponsListBhv",
    "GameplayScreenBhv",
    "LevelSelectScreenBhv",
    "CueCmp",
    "CueLoopedBhv",
    "CueManagerBhv",
    "CueOneShotBhv",
    "CueRandomizedBhv",
    "TextCmp",
    "AltBgIconBhv",
    "BonusLevelIconBhv",
    "DebugDisplayBhv",
    "DisplaySettingsIconBhv",
    "HudRootBhv",
    "LevelRingBhv",
    "LevelSelectIconBhv",
    "MapBhv",
    "MapCursorBhv",
    "MapNodeCmp",
    "MusicMuteBhv",
    "NewBestIconBhv",
    "SoundMuteBhv",
    "TextMenuBhv",
    "UiAntsFreedBhv",
    "UiButtonBhv",
    "UiDisplayPopupBhv",
    "UiLevelCompleteBhv",
    "UiLevelTitleBhv",
    "UiPacmanCompleteBhv",
    "UiParUnlockInfoBhv",
    "UiPauseBhv",
    "UiQuitPopupBhv",
    "UiSurvivalCompleteBhv",
    "UiUnlockMessageBhv",
    "ExitBhv",
    "LevelDataCmp",
    "LevelListBhv",
    "ParticleManagerBhv",
    "Pcl_EmitContinuousBhv",
    "Pcl_EmitOnceBhv",
    "Pcl_SimpleBhv",
    "Pkup_PillBhv",
    "Pkup_WeaponBhv",
    "SavedDataBhv",
    "TestSpriteBhv",
    "ThingCmp",
};

TEST(ComponentTableTest, TheFullTableHasOneHundredAndOneNames) {
    EXPECT_EQ(kTableNames.size(), 101u);
}

TEST(ComponentTableTest, RegistersOnlyNamesOfTheTableAndNoBaseClass) {
    PrefabManager manager;
    RegisterComponentTypes(manager);
    for (const auto& [name, entry] : manager.ComponentTypes) {
        EXPECT_EQ(kTableNames.count(name), 1u) << name;
    }
    for (const char* base : {"Component", "GameObject", "IComponentShortcuts"}) {
        EXPECT_EQ(manager.FindComponentType(base), nullptr) << base;
    }
    for (const char* built : {"PrefabComponent", "TweensBhv", "Pos2dCmp", "ThingCmp"}) {
        EXPECT_NE(manager.FindComponentType(built), nullptr) << built;
    }
}

TEST(ComponentTableTest, EveryCreatorMakesItsTypeAndTheReverseLookupNamesIt) {
    PrefabManager manager;
    RegisterComponentTypes(manager);
    for (const auto& [name, entry] : manager.ComponentTypes) {
        const std::unique_ptr<IEditable> made = entry.Create();
        ASSERT_NE(made->Type, nullptr) << name;
        EXPECT_EQ(*made->Type, *entry.Type) << name;
        const IEditable& madeRef = *made;
        EXPECT_EQ(typeid(madeRef), *entry.Type) << name;
        if (name != "PrefabComponent") {
            EXPECT_NE(dynamic_cast<Component*>(made.get()), nullptr) << name << " is no component";
            EXPECT_EQ(manager.GetComponentTypeName(made.get()), name);
        }
    }
    PrefabComponent entry;
    entry.TypeName = "SpriteCmp";
    EXPECT_EQ(manager.GetComponentTypeName(&entry), "SpriteCmp");
    EXPECT_EQ(manager.FindComponentType("tweensbhv"), nullptr);
}

TEST(ComponentTableTest, TheApplicationCreatesAndDeletesTheObjectModelServices) {
    {
        ManualClock clock;
        Application app(clock);
        EXPECT_NE(gEvents, nullptr);
        EXPECT_NE(gRandomManager, nullptr);
        EXPECT_NE(gPrefabManager, nullptr);
        ASSERT_NE(gGameConfig, nullptr);
        EXPECT_EQ(gGameConfig->DevelopmentContentPath, "");
        // The object layer's shortcut types are installed.
        GameObject object;
        auto* tweens = new TweensBhv();
        object.AddComponent(tweens);
        EXPECT_EQ(object.Tweens, tweens);
    }
    EXPECT_EQ(gEvents, nullptr);
    EXPECT_EQ(gRandomManager, nullptr);
    EXPECT_EQ(gPrefabManager, nullptr);
    EXPECT_EQ(gGameConfig, nullptr);
}

}  // namespace
