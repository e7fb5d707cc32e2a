#include "audio/CueSound.h"

#include <cmath>

#include "audio/CueCmp.h"
#include "audio/SoundManager.h"
#include "object/Behavior.h"
#include "object/GameObject.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"

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

std::map<std::string, CueSoundRequest> SoundsAskedForByCues() {
    std::map<std::string, CueSoundRequest> asked;
    if (gPrefabManager == nullptr) {
        return asked;
    }
    for (const auto& [name, prefab] : gPrefabManager->Prefabs) {
        if (!name.starts_with("Cue_") || prefab == nullptr) {
            continue;
        }
        for (const std::unique_ptr<PrefabComponent>& component : prefab->Components) {
            if (component->TypeName != "CueOneShotBhv" && component->TypeName != "CueLoopedBhv") {
                continue;
            }
            const auto* text =
                dynamic_cast<const TypedPropertyRegistration<std::string>*>(component->FindProperty("SoundName"));
            if (text != nullptr && !text->Get().empty()) {
                asked.emplace(text->Get(), CueSoundRequest{name, component->TypeName});
            }
        }
    }
    return asked;
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
