#include "game/ShowcaseBhv.h"

#include "game/player/AimManagerBhv.h"
#include "object/GameTime.h"
#include "audio/CueManagerBhv.h"
#include "render/Graphics.h"

ShowcaseBhv::ShowcaseBhv() {
    RegisterProperty(&BackgroundTexture, "BackgroundTexture");
    RegisterProperty(&BackgroundMode, "BackgroundMode");
    RegisterProperty(&FirstPassSpeed, "FirstPassSpeed");
    RegisterProperty(&SecondPassSpeed, "SecondPassSpeed");
    RegisterProperty(&AmbienceCue, "AmbienceCue");
}

void ShowcaseBhv::Start() {
    if (gGraphics != nullptr) {
        gGraphics->Settings->BackgroundTexture = BackgroundTexture;
        gGraphics->Settings->BackgroundMode = BackgroundMode;
    }
    // The player aims with the mouse from the start, as on the gameplay screen.
    if (gAimManager != nullptr) {
        gAimManager->EnterAimMode();
    }
    // The cue manager is a child of this object, so it has started already.
    if (!AmbienceCue.empty() && gCueManager != nullptr) {
        gCueManager->PlayCue(AmbienceCue);
    }
}

void ShowcaseBhv::Update() {
    if (gGraphics == nullptr) {
        return;
    }
    const float delta = CurrentFrameDelta();
    gGraphics->Settings->FirstPassTime += FirstPassSpeed * delta;
    gGraphics->Settings->SecondPassTime += SecondPassSpeed * delta;
}
