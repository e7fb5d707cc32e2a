#include "platform/audio/AlDevice.h"

#include <AL/al.h>
#include <AL/alc.h>

std::unique_ptr<AlDevice> AlDevice::Open() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr) {
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<AlDevice> opened(new AlDevice(device, context));
    opened->MakeCurrent();
    return opened;
}

AlDevice::AlDevice(ALCdevice* device, ALCcontext* context) : mDevice(device), mContext(context) {}

AlDevice::~AlDevice() {
    if (alcGetCurrentContext() == mContext) {
        alcMakeContextCurrent(nullptr);
    }
    alcDestroyContext(mContext);
    alcCloseDevice(mDevice);
}

void AlDevice::MakeCurrent() const {
    if (alcGetCurrentContext() != mContext) {
        alcMakeContextCurrent(mContext);
    }
}

void AlDevice::SetMasterGain(float gain) const {
    MakeCurrent();
    alListenerf(AL_GAIN, gain);
}
