#include "audio/CueOneShotBhv.h"

#include "audio/CueSound.h"
#include "object/GameObject.h"
#include "object/RandomManager.h"

CueOneShotBhv::CueOneShotBhv() {
    RegisterProperty(&SoundName, "SoundName");
    RegisterProperty(&Volume, "Volume");
    RegisterProperty(&Pitch, "Pitch");
    RegisterProperty(&PitchVariation, "PitchVariation");
}

void CueOneShotBhv::Start() {
    BindCuePlayHook(
        *this, [this] { Play(); }, CueHookBinding::KeepExisting);
}

void CueOneShotBhv::Update() {
    if (HasCueSoundEnded(mChannel)) {
        Owner->Destroy();
    }
}

void CueOneShotBhv::Play() {
    AudioSound* sound = FindCueSound(SoundName);
    if (sound != nullptr) {
        float semitones = Pitch;
        if (PitchVariation != 0.0f && gRandomManager != nullptr) {
            semitones += gRandomManager->UniformFloat(-PitchVariation, PitchVariation);
        }
        mChannel = StartCueSound(*sound, semitones, Volume);
        mChannel.SetPaused(false);
    }
    // A cue that cannot sound would otherwise stay under the manager for ever, one more
    // object on every play.
    if (!mChannel && Owner != nullptr) {
        Owner->Destroy();
    }
}
