#include "game/levels/ExitBhv.h"

#include <cmath>

#include "game/GameEffects.h"
#include "game/levels/SavedDataBhv.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/TweensBhv.h"
#include "render/TintCmp.h"

ExitBhv::ExitBhv() {
    RegisterProperty(&BrightnessMax, "BrightnessMax");
    RegisterProperty(&BrightnessMin, "BrightnessMin");
    RegisterProperty(&PulseInterval, "PulseInterval");
    RegisterProperty(&BossRevealDelay, "BossRevealDelay");
}

void ExitBhv::Start() {
    if (gCurrentLevelName == "Lvl_Boss") {
        Owner->InputEnabled = 0;
        Owner->UpdateEnabled = 0;
        Owner->DrawEnabled = 0;
    }
}

void ExitBhv::Update() {
    GameObject* light = Owner->FindChild("ExitLight");
    if (light == nullptr || light->Tint == nullptr || gGameTime == nullptr) {
        return;
    }
    const float wave = (std::sin(6.2831855f * gGameTime->TotalTime / PulseInterval) + 1.0f) / 2.0f;
    const float brightness = BrightnessMin + (BrightnessMax - BrightnessMin) * wave;
    light->Tint->Tint.A = static_cast<uint8_t>(brightness * 255.0f);
}

CoCommand ExitBhv::RevealCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return CoWaitSeconds(BossRevealDelay);
        default:
            Owner->DrawEnabled = 1;
            if (Tweens != nullptr && Tint != nullptr) {
                // The tween first moves next pass: start see-through so no opaque frame shows.
                Tint->Tint = Color{255, 255, 255, 0};
                Tweens->TweenColorFromTo(&Tint->Tint, TweenEasing::EaseInOut, Color{255, 255, 255, 0},
                                         Color{255, 255, 255, 255}, nullptr, 0.5f);
            }
            PlayGameCue("ExitReveal");
            return CoStop();
    }
}
