#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/audio/AudioChannel.h"

class AudioSound;
class Behavior;

// What the cue behaviours share: binding the object's play hook, starting a cue's sound
// and telling when it has ended.

enum class CueHookBinding {
    KeepExisting,  // the first one-shot in start order wins
    Replace,       // looped and randomized cues take over the object
};

// Binds the PlayHook of the CueCmp on the behaviour's object; nothing without one.
void BindCuePlayHook(Behavior& cue, std::function<void()> play, CueHookBinding binding);

// The frequency factor of a pitch shift: 2^(semitones / 12), in double precision.
float PitchFactor(float semitones);

// Who asks for a sound: a cue prefab and the type of its cue behaviour.
struct CueSoundRequest {
    std::string Prefab;
    std::string Behaviour;

    // prefab "Cue_Shot", CueOneShotBhv.SoundName
    std::string Describe() const { return "prefab \"" + Prefab + "\", " + Behaviour + ".SoundName"; }
};

// Every sound the cue prefabs ("Cue_<name>") ask for by "SoundName", each with the first
// prefab asking. None without a prefab manager.
std::map<std::string, CueSoundRequest> SoundsAskedForByCues();

// The loaded sound of that name, looked up at each play since a reload replaces sounds;
// null when no bank has it.
AudioSound* FindCueSound(const std::string& soundName);

// Starts the sound paused on a free channel, shifted by the given semitones (none for 0)
// and at the given volume. A false handle when no channel could be had; the caller
// unpauses after any further settings.
AudioChannel StartCueSound(AudioSound& sound, float semitones, float volume);

// The sound was started and is over (ended, stopped, or its sound released).
inline bool HasCueSoundEnded(const AudioChannel& channel) {
    return channel && !channel.IsPlaying();
}
