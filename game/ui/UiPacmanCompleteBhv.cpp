#include "game/ui/UiPacmanCompleteBhv.h"

#include <string>

#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/ui/NewBestIconBhv.h"
#include "object/GameObject.h"

void UiPacmanCompleteBhv::Start() {
    TakeRestPos();
    const int score = gGameplayScreen != nullptr ? gGameplayScreen->Score : 0;
    if (gSavedData != nullptr) {
        const int best = gSavedData->BestPacmanScore;
        if (best < gSavedData->PacmanTargetScore && score >= gSavedData->PacmanTargetScore) {
            ShowUnlockMessage("Alternate Background 1 Unlocked");
        }
        GameObject* icon = Owner->FindChild("NewBestIcon");
        NewBestIconBhv* badge = icon != nullptr ? icon->GetComponent<NewBestIconBhv>() : nullptr;
        if (best != 0 && score > best && badge != nullptr) {
            badge->Show();
        }
        if (score > best) {
            gSavedData->BestPacmanScore = score;
            SaveProgress();
        }
    }
    SetChildText("ScoreText", std::to_string(score));
    SlideIn();
}
