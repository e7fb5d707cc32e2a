#include "game/ui/DebugDisplayBhv.h"

#include <string>

#include "game/levels/SavedDataBhv.h"
#include "input/InputManager.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/PrefabManager.h"
#include "object/UpdateSwitches.h"
#include "render/TextCmp.h"

namespace {

bool IsShiftDown() {
    return gInputManager->IsKeyDown(Key::Shift) || gInputManager->IsKeyDown(Key::RightShift);
}

// (0, 0) -> (1, 0) -> (0, 1) -> (0, 0).
void CycleUpdateSwitches() {
    if (gUpdateSwitches.Disabled == nullptr || gUpdateSwitches.Delayed == nullptr) {
        return;
    }
    uint8_t& disabled = *gUpdateSwitches.Disabled;
    uint8_t& delayed = *gUpdateSwitches.Delayed;
    if (disabled == 0 && delayed == 0) {
        disabled = 1;
    } else if (disabled != 0) {
        disabled = 0;
        delayed = 1;
    } else {
        delayed = 0;
    }
}

}  // namespace

DebugDisplayBhv::DebugDisplayBhv() {
    RegisterProperty(&mFpsUpdateInterval, "FpsUpdateInterval");
}

void DebugDisplayBhv::Start() {
    Owner->DrawEnabled = 0;
    if (!(mFpsUpdateInterval > 0.0f)) {
        const std::string file =
            gPrefabManager != nullptr ? gPrefabManager->GetPrefabFile(Owner->PrefabName).string() : Owner->PrefabName;
        throw ContentError(file, "FpsUpdateInterval must be positive, is " + std::to_string(mFpsUpdateInterval));
    }
}

void DebugDisplayBhv::HandleInput() {
    if (gInputManager != nullptr && gInputManager->IsKeyPressed(Key::Tilde)) {
        if (IsShiftDown()) {
            CycleUpdateSwitches();
        } else {
            Owner->DrawEnabled = Owner->DrawEnabled != 0 ? 0 : 1;
        }
    }
    CountPass();
    WriteText();
}

void DebugDisplayBhv::CountPass() {
    if (!(mFpsUpdateInterval > 0.0f)) {
        return;  // reported at the start; counting would never end
    }
    mElapsed += CurrentFrameDelta();
    ++mPassCount;
    while (mElapsed > mFpsUpdateInterval) {
        mElapsed -= mFpsUpdateInterval;
        mFps = static_cast<int32_t>(static_cast<float>(mPassCount) / mFpsUpdateInterval);
        mPassCount = 0;
    }
}

void DebugDisplayBhv::WriteText() const {
    if (Text == nullptr) {
        return;
    }
    std::string line = "FPS: " + std::to_string(mFps);
    if (gUpdateSwitches.Disabled != nullptr && *gUpdateSwitches.Disabled != 0) {
        line += "   UpdatesDisabled";
    }
    if (gUpdateSwitches.Delayed != nullptr && *gUpdateSwitches.Delayed != 0) {
        line += "   UpdatesDelayed";
    }
    Text->Text = line + "\n" + gCurrentLevelName;
}
