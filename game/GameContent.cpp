#include "game/GameContent.h"

ExpectedContent GameExpectedContent() {
    ExpectedContent expected;
    expected.Cues = {
        "AntSackRupture", "BulletWallHit", "DebugBlip",     "EnemyDamage", "EnemyDie",  "EnemySpawn",    "ErrorBuzz",
        "ExitReached",    "ExitReveal",    "LevelComplete", "LevelSelect", "LowAmmo",   "MenuBlip",      "NewBest",
        "Pause",          "PillSpawn",     "PistolPickup",  "PistolShot",  "PlayerDie", "PlayerRespawn", "ShotgunBlast",
        "TransitionOff",  "TransitionOn",  "Unlock",        "Unpause",
    };
    // The program's whole code: the application builds "GameplayRoot" and "EdRoot", and
    // the editor its buttons, selection marks and placeable things. The held weapons are
    // those the weapons list names for the two weapon types.
    expected.Prefabs = {
        "GameplayRoot",
        "EdRoot",
        "GameplayScreen",
        "LevelSelectScreen1",
        "LevelSelectIcon",
        "UiLevelTitle",
        "UiPausePopup",
        "UiQuitPopup",
        "UiDisplaySettingsPopup",
        "UiUnlockMessage",
        "UiLevelCompletePopup",
        "UiAntsFreedPopup",
        "UiPacmanCompletePopup",
        "UiSurvivalCompletePopup",
        "Wpn_Pistol",
        "Wpn_Shotgun",
        "PistolBullet",
        "ShotgunPellet",
        "ScoreParticle",
        "En_Ant",
        "En_CentipedeCell",
        "En_ChaserSpawn",
        "En_AntSpawn",
        "En_AntSackSpawn",
        "En_CentipedeShortSpawn",
        "Pkup_Pill",
        "Pkup_Shotgun",
        "Pcl_SpawnPuff",
        "Pcl_WallPebbles",
        "Pcl_AntChunks",
        "Pcl_InsectChunks",
        "Pcl_PlayerChunks",
        "EdButton",
        "EdSelectionIndicator",
        "Lvl_Sources",
    };
    // The application builds the gameplay root, which builds the level list, each of
    // whose entries is a "LevelData": without any of them there is no map and no level
    // to play.
    expected.RequiredPrefabs = {"GameplayRoot", "LevelList", "LevelData"};
    expected.MusicTracks = {"Bonus", "LevelSelect1", "Psy1", "Psy2"};
    expected.Cursors = {"Aim"};
    return expected;
}
