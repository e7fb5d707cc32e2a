#include "game/GameContent.h"

ExpectedContent GameExpectedContent() {
    ExpectedContent expected;
    expected.Cues = {
        "AntSackRupture", "BulletWallHit", "DebugBlip",     "EnemyDamage", "EnemyDie",  "EnemySpawn",    "ErrorBuzz",
        "ExitReached",    "ExitReveal",    "LevelComplete", "LevelSelect", "LowAmmo",   "MenuBlip",      "NewBest",
        "Pause",          "PillSpawn",     "PistolPickup",  "PistolShot",  "PlayerDie", "PlayerRespawn", "ShotgunBlast",
        "TransitionOff",  "TransitionOn",  "Unlock",        "Unpause",
    };
    expected.MusicTracks = {"Bonus", "LevelSelect1", "Psy1", "Psy2"};
    expected.Cursors = {"Aim"};
    return expected;
}
