#include "game/ui/UiSurvivalCompleteBhv.h"

#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/NumberText.h"

namespace {

const Color kNewBest{136, 255, 136, 255};

}  // namespace

void UiSurvivalCompleteBhv::Start() {
    TakeRestPos();
    const float time = gGameplayScreen != nullptr ? gGameplayScreen->LevelTime : 0.0f;
    if (gSavedData != nullptr && time > gSavedData->BestSurvivalTime) {
        gSavedData->BestSurvivalTime = time;
        SaveProgress();
        SetChildTint("ScoreText", kNewBest);
    }
    SetChildText("ScoreText", FloatToString(time) + " seconds");
    SetChildText("BestText", gSavedData != nullptr ? FloatToString(gSavedData->BestSurvivalTime) : "");
    SlideIn();
}
