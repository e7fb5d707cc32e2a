#include "game/ui/UiUnlockMessageBhv.h"

#include "game/GameEffects.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "object/TweensBhv.h"

namespace {

// Interface pixels: from beyond the right edge in, and a short way out to the left.
const Vector2 kEnterOffset{1200.0f, 0.0f};
const Vector2 kLeaveOffset{400.0f, 0.0f};

}  // namespace

UiUnlockMessageBhv::UiUnlockMessageBhv() {
    RegisterProperty(&TransitionInTime, "TransitionInTime");
    RegisterProperty(&WaitTime, "WaitTime");
    RegisterProperty(&TransitionOutTime, "TransitionOutTime");
}

void UiUnlockMessageBhv::Start() {
    mRestPos = Owner->GetPos();
    FindOrCreateCoroutine(&UiUnlockMessageBhv::UnlockCoroutine)->Start();
}

CoCommand UiUnlockMessageBhv::UnlockCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            PlayGameCue("Unlock");
            if (Tweens != nullptr && Pos2d != nullptr) {
                Tweens->AddTweenStep(&Pos2d->Pos, TweenEasing::EaseOut, mRestPos + kEnterOffset, mRestPos, nullptr,
                                     TransitionInTime);
            }
            return CoWaitSeconds(TransitionInTime);
        case 1: return CoWaitSeconds(WaitTime);
        case 2:
            if (Tweens != nullptr && Pos2d != nullptr) {
                Tweens->TweenVector2(&Pos2d->Pos, TweenEasing::EaseIn, Pos2d->Pos - kLeaveOffset, nullptr,
                                     TransitionOutTime);
            }
            return CoWaitSeconds(TransitionOutTime);
        default: Owner->Destroy(); return CoStop();
    }
}
