#pragma once

#include <cstdint>
#include <memory>

class AudioEngine;
class Voice;

// A handle on one playing sound, given by AudioSystem::Play. It is a slot number and a
// generation, not a pointer: once the sound has ended, been stopped, been taken over by
// a newer sound or had its AudioSound released, or once the system is released, the
// handle is stale; every call on it then does nothing, IsPlaying and IsPaused report
// false and Frequency reports 0. A default-constructed handle is stale from the start.
// Copies are cheap and all name the same channel.
class AudioChannel {
public:
    AudioChannel() = default;

    // Whether Play gave this handle a channel at all (it may have ended since).
    explicit operator bool() const { return mIssued; }

    // A paused channel still counts as playing.
    bool IsPlaying() const;
    void Stop();

    void SetPaused(bool paused);
    bool IsPaused() const;
    // 0 (silent) to 1 (as recorded).
    void SetVolume(float volume);
    void SetMuted(bool muted);
    // Playback rate in frames per second; it starts at the sound's default frequency and
    // twice that plays an octave higher. Values that are not positive are ignored.
    void SetFrequency(float frequency);
    float Frequency() const;
    // How many more times the loop section repeats: -1 forever, 0 no more.
    void SetLoopCount(int count);

private:
    friend class AudioSystem;

    AudioChannel(std::weak_ptr<AudioEngine> engine, uint32_t slot, uint32_t generation);

    // Runs action on the live voice behind the handle; nothing when the handle is stale.
    template <class Action>
    void WithVoice(Action&& action) const;

    std::weak_ptr<AudioEngine> mEngine;
    uint32_t mSlot = 0;
    uint32_t mGeneration = 0;
    bool mIssued = false;
};
