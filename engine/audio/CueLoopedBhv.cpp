#include "audio/CueLoopedBhv.h"

#include "audio/CueSound.h"
#include "object/GameObject.h"

CueLoopedBhv::CueLoopedBhv() {
    RegisterProperty(&SoundName, "SoundName");
    RegisterProperty(&Volume, "Volume");
    RegisterProperty(&Pitch, "Pitch");
}

CueLoopedBhv::~CueLoopedBhv() {
    if (!mStarted || !mChannel) {
        return;
    }
    // The handle may be stale, even after the sound system is gone: then this does nothing.
    mChannel.Stop();
    // Only a component removed on its own (queued for deletion) takes its object along; when
    // the object itself or an ancestor is being deleted, a request would name a dead object.
    if (PendingDelete && Owner != nullptr) {
        Owner->Destroy();
    }
}

void CueLoopedBhv::Start() {
    BindCuePlayHook(
        *this, [this] { Play(); }, CueHookBinding::Replace);
}

void CueLoopedBhv::Update() {
    // Ends early only when its sound was stopped or released (a bank reload).
    if (mStarted && HasCueSoundEnded(mChannel)) {
        Owner->Destroy();
    }
}

void CueLoopedBhv::Play() {
    AudioSound* sound = FindCueSound(SoundName);
    if (sound == nullptr) {
        return;
    }
    mChannel = StartCueSound(*sound, Pitch, Volume);
    mChannel.SetLoopCount(-1);
    mChannel.SetPaused(false);
    mStarted = true;
}
