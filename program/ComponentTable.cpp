#include "program/ComponentTable.h"

#include "editor/EdRootBhv.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgMessageBoxBhv.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/reload/EdHotReloadMonitorBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdDebugRectsBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdRowMultiContainerBhv.h"
#include "editor/widgets/EdSpacerBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "game/enemies/EnStandardDamageBhv.h"
#include "game/enemies/En_AntBhv.h"
#include "game/enemies/En_AntSackBhv.h"
#include "game/enemies/En_CentipedeBhv.h"
#include "game/enemies/En_CentipedeCellBhv.h"
#include "game/enemies/En_ChaserBhv.h"
#include "game/enemies/En_PacmanSpawnerBhv.h"
#include "game/enemies/En_SurvivalSpawnerBhv.h"
#include "game/enemies/EnemyCmp.h"
#include "game/enemies/ScoreParticleBhv.h"
#include "game/enemies/SpawnCloudBhv.h"
#include "game/levels/ExitBhv.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/levels/TestSpriteBhv.h"
#include "game/map/AltBgIconBhv.h"
#include "game/map/BonusLevelIconBhv.h"
#include "game/map/DisplaySettingsIconBhv.h"
#include "game/map/LevelRingBhv.h"
#include "game/map/LevelSelectIconBhv.h"
#include "game/map/MapBhv.h"
#include "game/map/MapCursorBhv.h"
#include "game/map/MapNodeCmp.h"
#include "game/map/MusicMuteBhv.h"
#include "game/map/SoundMuteBhv.h"
#include "game/map/UiParUnlockInfoBhv.h"
#include "game/pickups/Pkup_PillBhv.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/player/ReadyPromptBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "game/ui/DebugDisplayBhv.h"
#include "game/ui/HudRootBhv.h"
#include "game/ui/NewBestIconBhv.h"
#include "game/ui/TextMenuBhv.h"
#include "game/ui/UiAntsFreedBhv.h"
#include "game/ui/UiButtonBhv.h"
#include "game/ui/UiDisplayPopupBhv.h"
#include "game/ui/UiLevelCompleteBhv.h"
#include "game/ui/UiLevelTitleBhv.h"
#include "game/ui/UiPacmanCompleteBhv.h"
#include "game/ui/UiPauseBhv.h"
#include "game/ui/UiQuitPopupBhv.h"
#include "game/ui/UiSurvivalCompleteBhv.h"
#include "game/ui/UiUnlockMessageBhv.h"
#include "game/weapons/PistolBhv.h"
#include "game/weapons/PlayerBulletBhv.h"
#include "game/weapons/ShotgunBhv.h"
#include "game/weapons/WeaponCmp.h"
#include "game/weapons/WeaponsListBhv.h"

#include "audio/CueCmp.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueManagerBhv.h"
#include "audio/CueOneShotBhv.h"
#include "audio/CueRandomizedBhv.h"
#include "fx/AnimationBhv.h"
#include "fx/DirectionalSpriteLightBhv.h"
#include "fx/ParticleManagerBhv.h"
#include "fx/Pcl_EmitContinuousBhv.h"
#include "fx/Pcl_EmitOnceBhv.h"
#include "fx/Pcl_SimpleBhv.h"
#include "object/Pos2dCmp.h"
#include "object/PrefabComponent.h"
#include "object/PrefabManager.h"
#include "object/ThingCmp.h"
#include "object/TweensBhv.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "physics/FixtureMouseListenerBhv.h"
#include "physics/FixtureMouseManagerBhv.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

// Each type joins its group here, in table order, when its class is built. The base
// classes "Component", "GameObject" and "IComponentShortcuts" head the table but have
// no creator and are never registered.
void RegisterComponentTypes(PrefabManager& manager) {
    // Content and editor. PrefabComponent is no component, but its entry lets the
    // reverse lookup and the editor treat prefab entries like components.
    manager.RegisterComponent<PrefabComponent>("PrefabComponent");
    manager.RegisterComponent<TweensBhv>("TweensBhv");
    // Then the editor's behaviours, "EdButtonBhv" to "EdToggleBhv".
    manager.RegisterComponent<EdButtonBhv>("EdButtonBhv");
    manager.RegisterComponent<EdCameraMoverBhv>("EdCameraMoverBhv");
    manager.RegisterComponent<EdDebugRectsBhv>("EdDebugRectsBhv");
    manager.RegisterComponent<EdDialogBhv>("EdDialogBhv");
    manager.RegisterComponent<EdDlgComponentPickerBhv>("EdDlgComponentPickerBhv");
    manager.RegisterComponent<EdDlgMessageBoxBhv>("EdDlgMessageBoxBhv");
    manager.RegisterComponent<EdDlgPrefabPickerBhv>("EdDlgPrefabPickerBhv");
    manager.RegisterComponent<EdFieldBhv>("EdFieldBhv");
    manager.RegisterComponent<EdHotReloadMonitorBhv>("EdHotReloadMonitorBhv");
    manager.RegisterComponent<EdLevelEditorBhv>("EdLevelEditorBhv");
    manager.RegisterComponent<EdListItemBhv>("EdListItemBhv");
    manager.RegisterComponent<EdPalAutoCreateListBhv>("EdPalAutoCreateListBhv");
    manager.RegisterComponent<EdPaletteBhv>("EdPaletteBhv");
    manager.RegisterComponent<EdPalMainBhv>("EdPalMainBhv");
    manager.RegisterComponent<EdPalObjectEditBhv>("EdPalObjectEditBhv");
    manager.RegisterComponent<EdPalObjectListBhv>("EdPalObjectListBhv");
    manager.RegisterComponent<EdPalPrefabListBhv>("EdPalPrefabListBhv");
    manager.RegisterComponent<EdPropertyRowBhv>("EdPropertyRowBhv");
    manager.RegisterComponent<EdRootBhv>("EdRootBhv");
    manager.RegisterComponent<EdRowMultiContainerBhv>("EdRowMultiContainerBhv");
    manager.RegisterComponent<EdShapeEditorBhv>("EdShapeEditorBhv");
    manager.RegisterComponent<EdSpacerBhv>("EdSpacerBhv");
    manager.RegisterComponent<EdSpriteMoverBhv>("EdSpriteMoverBhv");
    manager.RegisterComponent<EdSpritePickerBhv>("EdSpritePickerBhv");
    manager.RegisterComponent<EdTitleBarBhv>("EdTitleBarBhv");
    manager.RegisterComponent<EdToggleBhv>("EdToggleBhv");

    // Enemies and actors: "EnemyCmp" to "SpawnCloudBhv".
    manager.RegisterComponent<EnemyCmp>("EnemyCmp");
    manager.RegisterComponent<EnStandardDamageBhv>("EnStandardDamageBhv");
    manager.RegisterComponent<En_AntBhv>("En_AntBhv");
    manager.RegisterComponent<En_AntSackBhv>("En_AntSackBhv");
    manager.RegisterComponent<En_CentipedeBhv>("En_CentipedeBhv");
    manager.RegisterComponent<En_CentipedeCellBhv>("En_CentipedeCellBhv");
    manager.RegisterComponent<En_ChaserBhv>("En_ChaserBhv");
    manager.RegisterComponent<En_PacmanSpawnerBhv>("En_PacmanSpawnerBhv");
    manager.RegisterComponent<En_SurvivalSpawnerBhv>("En_SurvivalSpawnerBhv");
    manager.RegisterComponent<ScoreParticleBhv>("ScoreParticleBhv");
    manager.RegisterComponent<SpawnCloudBhv>("SpawnCloudBhv");

    // Engine: "AnimationBhv", "DirectionalSpriteLightBhv", then Pos2dCmp, then "SpriteCmp"
    // to "FixtureMouseManagerBhv".
    manager.RegisterComponent<AnimationBhv>("AnimationBhv");
    manager.RegisterComponent<DirectionalSpriteLightBhv>("DirectionalSpriteLightBhv");
    manager.RegisterComponent<Pos2dCmp>("Pos2dCmp");
    manager.RegisterComponent<SpriteCmp>("SpriteCmp");
    manager.RegisterComponent<TintCmp>("TintCmp");
    manager.RegisterComponent<B2BodyCmp>("B2BodyCmp");
    manager.RegisterComponent<B2FixtureCmp>("B2FixtureCmp");
    manager.RegisterComponent<FixtureMouseListenerBhv>("FixtureMouseListenerBhv");
    manager.RegisterComponent<FixtureMouseManagerBhv>("FixtureMouseManagerBhv");

    // Player and weapons, screens.
    manager.RegisterComponent<AimManagerBhv>("AimManagerBhv");
    manager.RegisterComponent<PistolBhv>("PistolBhv");
    manager.RegisterComponent<PlayerBhv>("PlayerBhv");
    manager.RegisterComponent<PlayerBulletBhv>("PlayerBulletBhv");
    manager.RegisterComponent<ReadyPromptBhv>("ReadyPromptBhv");
    manager.RegisterComponent<ShotgunBhv>("ShotgunBhv");
    manager.RegisterComponent<WeaponCmp>("WeaponCmp");
    manager.RegisterComponent<WeaponsListBhv>("WeaponsListBhv");
    manager.RegisterComponent<GameplayScreenBhv>("GameplayScreenBhv");
    manager.RegisterComponent<LevelSelectScreenBhv>("LevelSelectScreenBhv");

    // Sound cues, then "TextCmp".
    manager.RegisterComponent<CueCmp>("CueCmp");
    manager.RegisterComponent<CueLoopedBhv>("CueLoopedBhv");
    manager.RegisterComponent<CueManagerBhv>("CueManagerBhv");
    manager.RegisterComponent<CueOneShotBhv>("CueOneShotBhv");
    manager.RegisterComponent<CueRandomizedBhv>("CueRandomizedBhv");
    manager.RegisterComponent<TextCmp>("TextCmp");

    // User interface.
    manager.RegisterComponent<AltBgIconBhv>("AltBgIconBhv");
    manager.RegisterComponent<BonusLevelIconBhv>("BonusLevelIconBhv");
    manager.RegisterComponent<DebugDisplayBhv>("DebugDisplayBhv");
    manager.RegisterComponent<DisplaySettingsIconBhv>("DisplaySettingsIconBhv");
    manager.RegisterComponent<HudRootBhv>("HudRootBhv");
    manager.RegisterComponent<LevelRingBhv>("LevelRingBhv");
    manager.RegisterComponent<LevelSelectIconBhv>("LevelSelectIconBhv");
    manager.RegisterComponent<MapBhv>("MapBhv");
    manager.RegisterComponent<MapCursorBhv>("MapCursorBhv");
    manager.RegisterComponent<MapNodeCmp>("MapNodeCmp");
    manager.RegisterComponent<MusicMuteBhv>("MusicMuteBhv");
    manager.RegisterComponent<NewBestIconBhv>("NewBestIconBhv");
    manager.RegisterComponent<SoundMuteBhv>("SoundMuteBhv");
    manager.RegisterComponent<TextMenuBhv>("TextMenuBhv");
    manager.RegisterComponent<UiAntsFreedBhv>("UiAntsFreedBhv");
    manager.RegisterComponent<UiButtonBhv>("UiButtonBhv");
    manager.RegisterComponent<UiDisplayPopupBhv>("UiDisplayPopupBhv");
    manager.RegisterComponent<UiLevelCompleteBhv>("UiLevelCompleteBhv");
    manager.RegisterComponent<UiLevelTitleBhv>("UiLevelTitleBhv");
    manager.RegisterComponent<UiPacmanCompleteBhv>("UiPacmanCompleteBhv");
    manager.RegisterComponent<UiParUnlockInfoBhv>("UiParUnlockInfoBhv");
    manager.RegisterComponent<UiPauseBhv>("UiPauseBhv");
    manager.RegisterComponent<UiQuitPopupBhv>("UiQuitPopupBhv");
    manager.RegisterComponent<UiSurvivalCompleteBhv>("UiSurvivalCompleteBhv");
    manager.RegisterComponent<UiUnlockMessageBhv>("UiUnlockMessageBhv");

    // Game flow, particles, pick-ups, data: "ExitBhv" to "TestSpriteBhv", then ThingCmp.
    manager.RegisterComponent<ExitBhv>("ExitBhv");
    manager.RegisterComponent<LevelDataCmp>("LevelDataCmp");
    manager.RegisterComponent<LevelListBhv>("LevelListBhv");
    manager.RegisterComponent<ParticleManagerBhv>("ParticleManagerBhv");
    manager.RegisterComponent<Pcl_EmitContinuousBhv>("Pcl_EmitContinuousBhv");
    manager.RegisterComponent<Pcl_EmitOnceBhv>("Pcl_EmitOnceBhv");
    manager.RegisterComponent<Pcl_SimpleBhv>("Pcl_SimpleBhv");
    manager.RegisterComponent<Pkup_PillBhv>("Pkup_PillBhv");
    manager.RegisterComponent<Pkup_WeaponBhv>("Pkup_WeaponBhv");
    manager.RegisterComponent<SavedDataBhv>("SavedDataBhv");
    manager.RegisterComponent<TestSpriteBhv>("TestSpriteBhv");
    manager.RegisterComponent<ThingCmp>("ThingCmp");
}
