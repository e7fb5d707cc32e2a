#pragma once

#include <string>

#include "object/Behavior.h"
#include "platform/audio/AudioChannel.h"

// Plays its sound once, with a fixed and a random pitch shift, and destroys its cue
// object when the sound is over, or at once when the sound cannot be played.
class CueOneShotBhv : public Behavior {
public:
    CueOneShotBhv();

    // Binds the object's play hook unless an earlier one-shot did.
    void Start() override;
    void Update() override;

    void Play();

    // The channel of the last play; stale before it.
    const AudioChannel& Channel() const { return mChannel; }

private:
    std::string SoundName;
    float Volume = 1.0f;
    float Pitch = 0.0f;           // semitones
    float PitchVariation = 0.0f;  // semitones, drawn in [-PitchVariation, +PitchVariation)

    AudioChannel mChannel;
};
