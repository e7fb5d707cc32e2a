#include "game/ui/UiDisplayPopupBhv.h"

#include <cstring>
#include <string>

#include "game/GameEffects.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectPicking.h"
#include "platform/DebugPrint.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

void SetMapInput(bool enabled) {
    if (gLevelSelectScreen != nullptr && gLevelSelectScreen->Owner != nullptr) {
        gLevelSelectScreen->Owner->InputEnabled = enabled ? 1 : 0;
    }
}

bool Is(const char* clicked, const char* name) {
    return std::strcmp(clicked, name) == 0;
}

bool ActionPressed(InputAction action) {
    return gInputManager != nullptr && gInputManager->IsActionPressed(action);
}

bool ActionTyped(InputAction action) {
    return gInputManager != nullptr && gInputManager->IsActionInKeySet(action, gInputManager->KeysTyped);
}

}  // namespace

const DisplayModeSource* UiDisplayPopupBhv::ModeSource = nullptr;

UiDisplayPopupBhv::UiDisplayPopupBhv() {
    RegisterProperty(&mConfirmationTime, "ConfirmationTime");
}

void UiDisplayPopupBhv::Start() {
    SetMapInput(false);
    ShowConfirmation(false);
    if (gGraphics == nullptr) {
        return;
    }
    if (ModeSource != nullptr) {
        EnumerateDisplayModes(*ModeSource, mModes);
    } else {
        EnumerateDisplayModes(mModes);
    }
    mSelectedIndex = 0;
    for (size_t i = 0; i < mModes.size(); ++i) {
        if (mModes[i].Width == gGraphics->Width && mModes[i].Height == gGraphics->Height) {
            mSelectedIndex = static_cast<int32_t>(i);
            break;
        }
    }
    mFullscreenChoice = gGraphics->Fullscreen;
}

void UiDisplayPopupBhv::HandleInput() {
    if (mConfirming != 0) {
        HandleConfirming();
    } else {
        HandleChoosing();
    }
}

void UiDisplayPopupBhv::HandleChoosing() {
    const char* clicked = ClickedTarget("UiDisplaySettings", {"KeyLeft", "KeyRight", "KeyF", "KeySpace", "KeyEsc"});
    if (ActionPressed(InputAction::MenuCancel) || Is(clicked, "KeyEsc")) {
        Close();
        return;
    }
    if (ActionPressed(InputAction::MenuConfirm) || Is(clicked, "KeySpace")) {
        Apply();
        return;
    }
    const int32_t last = static_cast<int32_t>(mModes.size()) - 1;
    if ((ActionTyped(InputAction::MoveLeft) || Is(clicked, "KeyLeft")) && mSelectedIndex > 0) {
        --mSelectedIndex;
        PlayGameCue("MenuBlip");
    }
    if ((ActionTyped(InputAction::MoveRight) || Is(clicked, "KeyRight")) && mSelectedIndex < last) {
        ++mSelectedIndex;
        PlayGameCue("MenuBlip");
    }
    if ((gInputManager != nullptr && gInputManager->IsKeyPressed(Key::F)) || Is(clicked, "KeyF")) {
        mFullscreenChoice = mFullscreenChoice != 0 ? 0 : 1;
        PlayGameCue("MenuBlip");
    }
}

void UiDisplayPopupBhv::HandleConfirming() {
    const char* clicked = ClickedTarget("UiDisplayConfirm", {"KeySpace", "KeyEsc"});
    if (ActionPressed(InputAction::MenuCancel) || Is(clicked, "KeyEsc")) {
        Revert();
        return;
    }
    if (ActionPressed(InputAction::MenuConfirm) || Is(clicked, "KeySpace")) {
        std::string problem;
        if (gGraphics != nullptr && !DisplaySettings::Save(*gGraphics, &problem)) {
            KeepUnsaved(problem);
            return;
        }
        Close();
    }
}

void UiDisplayPopupBhv::KeepUnsaved(const std::string& problem) {
    DebugPrint((problem + "; the display mode is kept until the game ends\n").c_str());
    mConfirming = 0;
    ShowConfirmation(false);
    SetChildText("UiDisplaySettings", "StatusText", "Not saved: cannot write Display.ini");
}

void UiDisplayPopupBhv::Apply() {
    if (gGraphics == nullptr) {
        Close();
        return;
    }
    const DisplayMode mode = SelectedMode();
    if (mode.Width == gGraphics->Width && mode.Height == gGraphics->Height &&
        mFullscreenChoice == gGraphics->Fullscreen) {
        Close();  // nothing would change
        return;
    }
    mConfirming = 1;
    ShowConfirmation(true);
    SetChildText("UiDisplaySettings", "StatusText", "");
    mCountdown = mConfirmationTime;
    mPreviousWidth = gGraphics->Width;
    mPreviousHeight = gGraphics->Height;
    mPreviousFullscreen = gGraphics->Fullscreen;
    gGraphics->Width = mode.Width;
    gGraphics->Height = mode.Height;
    gGraphics->Fullscreen = mFullscreenChoice;
    gGraphics->RequestDisplayChange();
}

void UiDisplayPopupBhv::Update() {
    if (mConfirming == 0) {
        const DisplayMode mode = SelectedMode();
        SetChildText("UiDisplaySettings", "ResolutionText",
                     std::to_string(mode.Width) + " x " + std::to_string(mode.Height));
        SetChildText("UiDisplaySettings", "FullscreenText", mFullscreenChoice != 0 ? "Yes" : "No");
        return;
    }
    mCountdown -= CurrentFrameDelta();
    SetChildText("UiDisplayConfirm", "CountdownText", std::to_string(static_cast<int>(mCountdown) + 1));
    if (mCountdown < 0.0f) {
        Revert();
    }
}

void UiDisplayPopupBhv::Close() {
    SetMapInput(true);
    Owner->Destroy();
}

void UiDisplayPopupBhv::Revert() {
    mConfirming = 0;
    ShowConfirmation(false);
    if (gGraphics == nullptr) {
        return;
    }
    gGraphics->Width = mPreviousWidth;
    gGraphics->Height = mPreviousHeight;
    gGraphics->Fullscreen = mPreviousFullscreen;
    gGraphics->RequestDisplayChange();
}

void UiDisplayPopupBhv::ShowConfirmation(bool confirming) const {
    if (GameObject* settings = Owner->FindChild("UiDisplaySettings")) {
        settings->DrawEnabled = confirming ? 0 : 1;
    }
    if (GameObject* confirm = Owner->FindChild("UiDisplayConfirm")) {
        confirm->DrawEnabled = confirming ? 1 : 0;
    }
}

DisplayMode UiDisplayPopupBhv::SelectedMode() const {
    if (mSelectedIndex >= 0 && mSelectedIndex < static_cast<int32_t>(mModes.size())) {
        return mModes[static_cast<size_t>(mSelectedIndex)];
    }
    // A headless or odd display lists no 60 Hz mode: offer the mode in use.
    DisplayMode current;
    if (gGraphics != nullptr) {
        current.Width = gGraphics->Width;
        current.Height = gGraphics->Height;
    }
    return current;
}

const char* UiDisplayPopupBhv::ClickedTarget(const char* panelName, const std::vector<const char*>& targets) const {
    if (gInputManager == nullptr || !gInputManager->IsKeyPressed(Key::LeftMouse)) {
        return "";
    }
    const GameObject* panel = Owner->FindChild(panelName);
    if (panel == nullptr) {
        return "";
    }
    const Vector2 m = ScreenToLayer(DrawLayer::Ui, gInputManager->MousePosition);
    for (const char* name : targets) {
        const GameObject* target = panel->FindChild(name);
        if (target == nullptr || target->Sprite == nullptr) {
            continue;
        }
        const Rect b = target->Sprite->GetBounds();
        if (m.X >= b.X && m.Y >= b.Y && m.X < b.X + b.Width && m.Y < b.Y + b.Height) {
            return name;
        }
    }
    return "";
}

void UiDisplayPopupBhv::SetChildText(const char* panelName, const char* textName, const std::string& text) const {
    const GameObject* panel = Owner->FindChild(panelName);
    const GameObject* child = panel != nullptr ? panel->FindChild(textName) : nullptr;
    if (child != nullptr && child->Text != nullptr) {
        child->Text->Text = text;
    }
}
