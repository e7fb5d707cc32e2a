#include "platform/audio/AlBuffer.h"

#include <utility>

#include "platform/DeviceThread.h"

AlBuffer::AlBuffer() {
    gAlThread.Check("AlBuffer::AlBuffer");
    alGetError();
    alGenBuffers(1, &mId);
    if (alGetError() != AL_NO_ERROR) {
        mId = 0;
    }
}

AlBuffer::~AlBuffer() {
    gAlThread.Check("AlBuffer::~AlBuffer");
    if (mId != 0) {
        alDeleteBuffers(1, &mId);
    }
}

AlBuffer::AlBuffer(AlBuffer&& other) noexcept : mId(std::exchange(other.mId, 0)) {}

AlBuffer& AlBuffer::operator=(AlBuffer&& other) noexcept {
    gAlThread.Check("AlBuffer::operator=");
    if (this != &other) {
        if (mId != 0) {
            alDeleteBuffers(1, &mId);
        }
        mId = std::exchange(other.mId, 0);
    }
    return *this;
}

bool AlBuffer::Upload(int channels, int sampleRate, const int16_t* samples, size_t frameCount) {
    gAlThread.Check("AlBuffer::Upload");
    if (mId == 0) {
        return false;
    }
    const ALenum format = channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    const size_t bytes = frameCount * static_cast<size_t>(channels) * sizeof(int16_t);
    alGetError();
    alBufferData(mId, format, samples, static_cast<ALsizei>(bytes), sampleRate);
    return alGetError() == AL_NO_ERROR;
}
