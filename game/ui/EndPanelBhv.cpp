#include "game/ui/EndPanelBhv.h"

#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "object/TweensBhv.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

const Vector2 kSlideOffset{800.0f, 0.0f};
const Color kClear{255, 255, 255, 0};
const Color kOpaque{255, 255, 255, 255};

}  // namespace

EndPanelBhv::EndPanelBhv() {
    RegisterProperty(&TransitionTime, "TransitionTime");
}

void EndPanelBhv::TakeRestPos() {
    RestPos = Owner->GetPos();
    Owner->InputEnabled = 0;
}

void EndPanelBhv::SlideIn() {
    if (Tweens == nullptr || Pos2d == nullptr) {
        OnShown();
        return;
    }
    Tweens->AddTweenStep(
        &Pos2d->Pos, TweenEasing::EaseOut, RestPos - kSlideOffset, RestPos, [this] { OnShown(); }, TransitionTime);
    if (Tint != nullptr) {
        Tweens->TweenColorFromTo(&Tint->Tint, TweenEasing::EaseOut, kClear, kOpaque, nullptr, TransitionTime);
    }
}

void EndPanelBhv::OnShown() {
    Owner->InputEnabled = 1;
    PlayGameCue("LevelComplete");
}

void EndPanelBhv::Close() {
    Owner->InputEnabled = 0;
    GameObject* panel = Owner;
    if (Tweens == nullptr || Pos2d == nullptr) {
        panel->Destroy();
        return;
    }
    Tweens->AddTweenStep(
        &Pos2d->Pos, TweenEasing::EaseIn, RestPos, RestPos + kSlideOffset, [panel] { panel->Destroy(); },
        TransitionTime);
    if (Tint != nullptr) {
        Tweens->TweenColorFromTo(&Tint->Tint, TweenEasing::EaseIn, kOpaque, kClear, nullptr, TransitionTime);
    }
}

void EndPanelBhv::HandleInput() {
    HandleReplayOrMap();
}

bool EndPanelBhv::HandleReplayOrMap() {
    if (gInputManager == nullptr || gGameplayScreen == nullptr) {
        return false;
    }
    if (gInputManager->IsActionPressed(InputAction::MenuReplay)) {
        Close();
        gGameplayScreen->Replay();
        return true;
    }
    if (gInputManager->IsActionPressed(InputAction::GoToLevelSelect) && gGameplayScreen->StartReturnToMap()) {
        Owner->Destroy();
        return true;
    }
    return false;
}

void EndPanelBhv::SetChildText(const std::string& child, const std::string& text) const {
    GameObject* object = Owner->FindChild(child);
    if (object != nullptr && object->Text != nullptr) {
        object->Text->Text = text;
    }
}

void EndPanelBhv::SetChildTint(const std::string& child, Color tint) const {
    GameObject* object = Owner->FindChild(child);
    if (object != nullptr && object->Tint != nullptr) {
        object->Tint->Tint = tint;
    }
}

const LevelDataCmp* EndPanelBhv::CurrentLevel() {
    return gLevelList != nullptr ? gLevelList->FindLevel(gCurrentLevelName) : nullptr;
}

void EndPanelBhv::ShowUnlockMessage(const std::string& text) {
    if (gLevelList != nullptr) {
        gLevelList->ShowUnlockMessage(text);
    }
}

void EndPanelBhv::SaveProgress() {
    if (gSavedData != nullptr) {
        gSavedData->Save();
    }
}
