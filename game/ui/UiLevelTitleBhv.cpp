#include "game/ui/UiLevelTitleBhv.h"

#include <string>

#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "object/TweensBhv.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

// The interface is 720 pixels high with y down; its middle is the mirror line.
constexpr float kInterfaceHeight = 720.0f;

}  // namespace

UiLevelTitleBhv::UiLevelTitleBhv() {
    RegisterProperty(&DisplayTime, "DisplayTime");
    RegisterProperty(&FadeTime, "FadeTime");
}

void UiLevelTitleBhv::Start() {
    const LevelDataCmp* level = gLevelList != nullptr ? gLevelList->FindLevel(gCurrentLevelName) : nullptr;
    std::string title;
    if (level == nullptr) {
        // A level outside the list (a play-test) has only its object name to show.
        title = gCurrentLevelName;
    } else if (level->Number == 0) {
        title = level->LevelName;
        if (Pos2d != nullptr) {
            Pos2d->Pos.Y = kInterfaceHeight - Pos2d->Pos.Y;
        }
    } else {
        title = std::to_string(level->Number) + ": " + level->LevelName;
    }
    if (Text != nullptr) {
        Text->Text = title;
    }
    FindOrCreateCoroutine(&UiLevelTitleBhv::TitleCoroutine)->Start();
}

CoCommand UiLevelTitleBhv::TitleCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return CoWaitSeconds(DisplayTime);
        case 1:
            if (Tweens != nullptr && Tint != nullptr) {
                Tweens->TweenColor(&Tint->Tint, Color{255, 255, 255, 0}, TweenEasing::EaseInOut, nullptr, FadeTime);
            }
            return CoWaitSeconds(FadeTime);
        default: Owner->Destroy(); return CoStop();
    }
}
