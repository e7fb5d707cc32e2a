#pragma once

#include <string>

#include "object/Behavior.h"
#include "platform/audio/AudioChannel.h"

// Repeats its sound until its cue object is destroyed by someone else (usually with
// the object it was attached to); the sound stops with it.
class CueLoopedBhv : public Behavior {
public:
    CueLoopedBhv();
    // Stops the sound. Removed on its own (the editor), it also destroys its object;
    // deleted with its object, it asks nothing of it.
    ~CueLoopedBhv() override;

    // Takes over the object's play hook.
    void Start() override;
    void Update() override;

    void Play();

    const AudioChannel& Channel() const { return mChannel; }
    bool IsStarted() const { return mStarted; }

private:
    std::string SoundName;
    float Volume = 1.0f;
    float Pitch = 0.0f;  // semitones

    AudioChannel mChannel;
    bool mStarted = false;
};
