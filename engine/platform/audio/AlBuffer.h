#pragma once

#include <AL/al.h>

#include <cstddef>
#include <cstdint>

// One OpenAL buffer of 16-bit PCM. Must be created and destroyed with its device's
// context current.
class AlBuffer {
public:
    AlBuffer();
    ~AlBuffer();
    AlBuffer(AlBuffer&& other) noexcept;
    AlBuffer& operator=(AlBuffer&& other) noexcept;
    AlBuffer(const AlBuffer&) = delete;
    AlBuffer& operator=(const AlBuffer&) = delete;

    // 0 when OpenAL could not make one.
    ALuint Id() const { return mId; }

    // Replaces the contents with frameCount frames of interleaved samples.
    bool Upload(int channels, int sampleRate, const int16_t* samples, size_t frameCount);

private:
    ALuint mId = 0;
};
