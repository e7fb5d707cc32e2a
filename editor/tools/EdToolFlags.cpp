#include "editor/tools/EdToolFlags.h"

#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "render/Graphics.h"

void SetToolObjectFlags(GameObject* object, uint8_t on) {
    if (object != nullptr) {
        object->InputEnabled = on;
        object->UpdateEnabled = on;
        object->DrawEnabled = on;
    }
}

void PausedGameplay::Pause() {
    if (gGameplayRoot != nullptr) {
        InputEnabled = gGameplayRoot->InputEnabled;
        UpdateEnabled = gGameplayRoot->UpdateEnabled;
        gGameplayRoot->InputEnabled = 0;
        gGameplayRoot->UpdateEnabled = 0;
    }
}

void PausedGameplay::Resume() const {
    if (gGameplayRoot != nullptr) {
        gGameplayRoot->InputEnabled = InputEnabled;
        gGameplayRoot->UpdateEnabled = UpdateEnabled;
    }
}

void HiddenInterface::Hide() {
    if (gGraphics != nullptr) {
        WasShown = gGraphics->ShowInterface;
        gGraphics->ShowInterface = 0;
    }
}

void HiddenInterface::Show() const {
    if (gGraphics != nullptr) {
        gGraphics->ShowInterface = WasShown;
    }
}
