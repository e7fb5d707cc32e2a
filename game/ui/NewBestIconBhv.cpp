#include "game/ui/NewBestIconBhv.h"

#include "game/GameEffects.h"
#include "object/GameObject.h"
#include "object/TweensBhv.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

NewBestIconBhv::NewBestIconBhv() {
    RegisterProperty(&AnimateDuration, "AnimateDuration");
    RegisterProperty(&StartSize, "StartSize");
}

void NewBestIconBhv::Start() {
    Owner->DrawEnabled = 0;
    if (Sprite != nullptr) {
        mLandingSize = Sprite->Size;
    }
}

void NewBestIconBhv::Show() {
    Owner->DrawEnabled = 1;
    if (Tweens == nullptr) {
        return;
    }
    if (Tint != nullptr) {
        Tweens->TweenColorFromTo(&Tint->Tint, TweenEasing::EaseInOut, Color{255, 255, 255, 0},
                                 Color{255, 255, 255, 255}, nullptr, AnimateDuration);
    }
    if (Sprite != nullptr) {
        // Taken from Start, so a second Show lands at the same size.
        Tweens->AddTweenStep(
            &Sprite->Size, TweenEasing::EaseInOut, mLandingSize * StartSize, mLandingSize,
            [] { PlayGameCue("NewBest"); }, AnimateDuration);
    }
}
