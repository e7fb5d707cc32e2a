#include "game/ui/UiAntsFreedBhv.h"

#include <string>

#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"

namespace {

const Color kFailed{255, 136, 136, 255};
const Color kComplete{136, 255, 136, 255};

}  // namespace

void UiAntsFreedBhv::Start() {
    TakeRestPos();
    const int freed = gGameplayScreen != nullptr ? gGameplayScreen->CountAnts() : 0;
    // Without saved data there is no goal to hold the count against.
    const int goal = gSavedData != nullptr ? gSavedData->AntsToFree : 0;
    if (gSavedData != nullptr) {
        if (gSavedData->BestAntsFreed < goal && freed >= goal) {
            ShowUnlockMessage("Alternate Background 2 Unlocked");
        }
        if (freed > gSavedData->BestAntsFreed) {
            gSavedData->BestAntsFreed = freed;
            SaveProgress();
        }
    }
    const bool failed = freed < goal;
    SetChildText("Title", failed ? "Level Failed" : "Level Complete!");
    SetChildTint("AntsFreedText", failed ? kFailed : kComplete);
    SetChildText("AntsFreedText",
                 gSavedData != nullptr ? std::to_string(freed) + " / " + std::to_string(goal) : std::to_string(freed));
    SlideIn();
}
