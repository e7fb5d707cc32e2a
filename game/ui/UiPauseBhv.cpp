#include "game/ui/UiPauseBhv.h"

#include <cmath>
#include <string>

#include "game/GameEffects.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/TweensBhv.h"
#include "platform/DebugPrint.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

constexpr float kTwoPi = 6.28318531f;
const Color kClear{255, 255, 255, 0};
const Color kOpaque{255, 255, 255, 255};

}  // namespace

UiPauseBhv::UiPauseBhv() {
    RegisterProperty(&TransitionTime, "TransitionTime");
    RegisterProperty(&StartSizeMultiple, "StartSizeMultiple");
    RegisterProperty(&PulsateInterval, "PulsateInterval");
    RegisterProperty(&PulsateAmount, "PulsateAmount");
}

void UiPauseBhv::Start() {
    Owner->InputEnabled = 0;
    GameObject* title = Owner->FindChild("Title");
    if (title != nullptr && title->Text != nullptr) {
        TitleBaseSize = title->Text->FontSize;
    }
    // A period of zero or less would size the title with a NaN.
    mPulsates = PulsateInterval > 0.0f;
    if (!mPulsates) {
        DebugPrint(
            ("\"" + Owner->PrefabName + "\": PulsateInterval must be above 0; the title does not pulse\n").c_str());
    }
    GameObject* background = Owner->FindChild("Background");
    if (Tweens != nullptr && background != nullptr && background->Sprite != nullptr) {
        const Vector2 size = background->Sprite->Size;
        Tweens->AddTweenStep(
            &background->Sprite->Size, TweenEasing::EaseOut, size * StartSizeMultiple, size, [this] { OnShown(); },
            TransitionTime);
    } else {
        OnShown();
    }
    if (Tweens != nullptr && Tint != nullptr) {
        Tweens->TweenColorFromTo(&Tint->Tint, TweenEasing::Linear, kClear, kOpaque, nullptr, TransitionTime);
    }
    PlayGameCue("Pause");
}

void UiPauseBhv::OnShown() {
    Owner->InputEnabled = 1;
}

void UiPauseBhv::Update() {
    GameObject* title = Owner->FindChild("Title");
    if (!mPulsates || title == nullptr || title->Text == nullptr || gGameTime == nullptr) {
        return;
    }
    const float wave = std::sin(kTwoPi * gGameTime->TotalTime / PulsateInterval);
    title->Text->FontSize = TitleBaseSize * (1.0f + PulsateAmount * wave / 2.0f);
}

void UiPauseBhv::HandleInput() {
    if (gInputManager == nullptr) {
        return;
    }
    if (!EditorIsEditing() && gInputManager->IsActionPressed(InputAction::Pause)) {
        Resume();
    } else if (gInputManager->IsActionPressed(InputAction::GoToLevelSelect)) {
        ReturnToMap();
    }
}

void UiPauseBhv::Resume() {
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->SetPaused(false);
    }
    GameObject* background = Owner->FindChild("Background");
    GameObject* popup = Owner;
    if (Tweens != nullptr && background != nullptr && background->Sprite != nullptr) {
        Tweens->TweenVector2(
            &background->Sprite->Size, TweenEasing::EaseIn, background->Sprite->Size * StartSizeMultiple,
            [popup] { popup->Destroy(); }, TransitionTime);
    } else {
        popup->Destroy();
    }
    if (Tweens != nullptr && Tint != nullptr) {
        Tweens->TweenColor(&Tint->Tint, kClear, TweenEasing::Linear, nullptr, TransitionTime);
    }
    Owner->InputEnabled = 0;
    PlayGameCue("Unpause");
}

void UiPauseBhv::ReturnToMap() {
    if (gGameplayScreen != nullptr) {
        // Paused by the editor half way through a transition: the popup stays.
        if (gGameplayScreen->IsInTransition()) {
            return;
        }
        gGameplayScreen->SetPaused(false);
        gGameplayScreen->StartReturnToMap();
    }
    Owner->Destroy();
}
