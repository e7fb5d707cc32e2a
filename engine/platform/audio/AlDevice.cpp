#include "platform/audio/AlDevice.h"

#include <AL/al.h>
#include <AL/alc.h>

#include "platform/DeviceThread.h"

namespace {

// Several systems may be open at once; the thread is owned while any is.
int gOpenDevices = 0;

}  // namespace

std::unique_ptr<AlDevice> AlDevice::Open() {
    gAlThread.Check("AlDevice::Open");
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr) {
        alcCloseDevice(device);
        return nullptr;
    }
    if (gOpenDevices++ == 0) {
        gAlThread.Claim();
    }
    std::unique_ptr<AlDevice> opened(new AlDevice(device, context));
    opened->MakeCurrent();
    return opened;
}

AlDevice::AlDevice(ALCdevice* device, ALCcontext* context) : mDevice(device), mContext(context) {}

AlDevice::~AlDevice() {
    gAlThread.Check("AlDevice::~AlDevice");
    if (alcGetCurrentContext() == mContext) {
        alcMakeContextCurrent(nullptr);
    }
    alcDestroyContext(mContext);
    alcCloseDevice(mDevice);
    if (--gOpenDevices == 0) {
        gAlThread.Release();
    }
}

void AlDevice::MakeCurrent() const {
    gAlThread.Check("AlDevice::MakeCurrent");
    if (alcGetCurrentContext() != mContext) {
        alcMakeContextCurrent(mContext);
    }
}

void AlDevice::SetMasterGain(float gain) const {
    MakeCurrent();
    alListenerf(AL_GAIN, gain);
}
