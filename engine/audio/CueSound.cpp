#include "audio/CueSound.h"

#include <cmath>

#include "audio/CueCmp.h"
#include "audio/SoundManager.h"
#include "object/Behavior.h"
#include "object/GameObject.h"

void BindCuePlayHook(Behavior& cue, std::function<void()> play, CueHookBinding binding) {
    CueCmp* cueCmp = cue.Owner != nullptr ? cue.Owner->GetComponent<CueCmp>() : nullptr;
    if (cueCmp == nullptr) {
        return;
    }
    if (binding == CueHookBinding::Replace || !cueCmp->PlayHook) {
        cueCmp->PlayHook = std::move(play);
    }
}

float PitchFactor(float semitones) {
    return static_cast<float>(std::pow(2.0, static_cast<double>(semitones) / 12.0));
}

AudioSound* FindCueSound(const std::string& soundName) {
    return gSoundManager != nullptr ? gSoundManager->FindSound(soundName) : nullptr;
}

AudioChannel StartCueSound(AudioSound& sound, float semitones, float volume) {
    AudioChannel channel = gSoundManager->System().Play(sound, true);
    if (semitones != 0.0f) {
        channel.SetFrequency(sound.DefaultFrequency() * PitchFactor(semitones));
    }
    channel.SetVolume(volume);
    return channel;
}
