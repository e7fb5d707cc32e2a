#include "game/levels/LevelDataCmp.h"

#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"

LevelDataCmp::LevelDataCmp() {
    RegisterProperty(&LevelName, "LevelName");
    RegisterProperty(&ParTime, "ParTime");
    RegisterProperty(&InMainProgression, "InMainProgression");
}

bool LevelDataCmp::IsCompleted() const {
    if (gSavedData == nullptr) {
        return false;
    }
    if (ObjectName == ReservedLevels::Bonus1) {
        return gSavedData->BestAntsFreed >= gSavedData->AntsToFree;
    }
    if (ObjectName == ReservedLevels::Bonus2) {
        return gSavedData->BestPacmanScore >= gSavedData->PacmanTargetScore;
    }
    return gSavedData->LevelBestTimes.count(ObjectName) != 0;
}

bool LevelDataCmp::IsParBeaten() const {
    if (!IsCompleted()) {
        return false;
    }
    const float best = SavedBestTime();
    return best > 0.0f && best <= ParTime;
}

float LevelDataCmp::GetBestTime() const {
    return IsCompleted() ? SavedBestTime() : 0.0f;
}

float LevelDataCmp::SavedBestTime() const {
    if (gSavedData == nullptr) {
        return 0.0f;
    }
    const auto found = gSavedData->LevelBestTimes.find(ObjectName);
    return found != gSavedData->LevelBestTimes.end() ? found->second : 0.0f;
}
