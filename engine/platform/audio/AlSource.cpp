#include "platform/audio/AlSource.h"

#include <cstddef>
#include <utility>

#include "platform/DeviceThread.h"

AlSource::AlSource() {
    gAlThread.Check("AlSource::AlSource");
    alGetError();
    alGenSources(1, &mId);
    if (alGetError() != AL_NO_ERROR) {
        mId = 0;
        return;
    }
    alSourcei(mId, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(mId, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(mId, AL_ROLLOFF_FACTOR, 0.0f);
}

AlSource::~AlSource() {
    gAlThread.Check("AlSource::~AlSource");
    if (mId != 0) {
        alDeleteSources(1, &mId);
    }
}

AlSource::AlSource(AlSource&& other) noexcept : mId(std::exchange(other.mId, 0)) {}

AlSource& AlSource::operator=(AlSource&& other) noexcept {
    gAlThread.Check("AlSource::operator=");
    if (this != &other) {
        if (mId != 0) {
            alDeleteSources(1, &mId);
        }
        mId = std::exchange(other.mId, 0);
    }
    return *this;
}

void AlSource::Play() {
    gAlThread.Check("AlSource::Play");
    alSourcePlay(mId);
}

void AlSource::Pause() {
    gAlThread.Check("AlSource::Pause");
    alSourcePause(mId);
}

void AlSource::Rewind() {
    gAlThread.Check("AlSource::Rewind");
    alSourceStop(mId);
    alSourcei(mId, AL_BUFFER, 0);
}

ALint AlSource::State() const {
    gAlThread.Check("AlSource::State");
    ALint state = AL_STOPPED;
    alGetSourcei(mId, AL_SOURCE_STATE, &state);
    return state;
}

void AlSource::Queue(ALuint buffer) {
    gAlThread.Check("AlSource::Queue");
    alSourceQueueBuffers(mId, 1, &buffer);
}

void AlSource::UnqueuePlayed(std::vector<ALuint>& played) {
    gAlThread.Check("AlSource::UnqueuePlayed");
    ALint count = 0;
    alGetSourcei(mId, AL_BUFFERS_PROCESSED, &count);
    if (count <= 0) {
        return;
    }
    const size_t first = played.size();
    played.resize(first + static_cast<size_t>(count));
    alSourceUnqueueBuffers(mId, count, played.data() + first);
}

void AlSource::SetGain(float gain) {
    gAlThread.Check("AlSource::SetGain");
    alSourcef(mId, AL_GAIN, gain);
}

void AlSource::SetPitch(float pitch) {
    gAlThread.Check("AlSource::SetPitch");
    alSourcef(mId, AL_PITCH, pitch);
}
