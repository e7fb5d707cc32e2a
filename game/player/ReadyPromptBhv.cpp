#include "game/player/ReadyPromptBhv.h"

#include <cmath>

#include "game/GameMath.h"
#include "object/GameTime.h"
#include "render/SpriteCmp.h"

ReadyPromptBhv::ReadyPromptBhv() {
    RegisterProperty(&SizeMin, "SizeMin");
    RegisterProperty(&SizeMax, "SizeMax");
    RegisterProperty(&PulsateInterval, "PulsateInterval");
}

void ReadyPromptBhv::Start() {
    if (Sprite != nullptr) {
        BaseSize = Sprite->Size;
    }
}

void ReadyPromptBhv::Update() {
    if (Sprite == nullptr || gGameTime == nullptr) {
        return;
    }
    const float wave = (std::sin(gGameTime->TotalTime / PulsateInterval * 6.2831855f) + 1.0f) / 2.0f;
    Sprite->Size = Lerp(BaseSize * SizeMin, BaseSize * SizeMax, wave);
}
