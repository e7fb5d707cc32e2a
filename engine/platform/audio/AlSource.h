#pragma once

#include <AL/al.h>

#include <vector>

// One OpenAL source set up for a 2D game: no distance attenuation, mono sounds centred.
// Must be created and destroyed with its device's context current.
class AlSource {
public:
    AlSource();
    ~AlSource();
    AlSource(AlSource&& other) noexcept;
    AlSource& operator=(AlSource&& other) noexcept;
    AlSource(const AlSource&) = delete;
    AlSource& operator=(const AlSource&) = delete;

    // 0 when OpenAL could not make one.
    ALuint Id() const { return mId; }

    void Play();
    void Pause();
    // Stops and empties the buffer queue, so every queued buffer may be reused or deleted.
    void Rewind();
    ALint State() const;

    void Queue(ALuint buffer);
    // Takes the buffers already played off the queue and appends them to played.
    void UnqueuePlayed(std::vector<ALuint>& played);

    void SetGain(float gain);
    void SetPitch(float pitch);

private:
    ALuint mId = 0;
};
