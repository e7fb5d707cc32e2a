#pragma once

#include <AL/alc.h>

#include <memory>

// The default OpenAL output device with one context of its own.
class AlDevice {
public:
    // Null when there is no device to open.
    static std::unique_ptr<AlDevice> Open();

    ~AlDevice();
    AlDevice(const AlDevice&) = delete;
    AlDevice& operator=(const AlDevice&) = delete;

    // OpenAL calls act on the current context; several systems may exist at once, so
    // every entry point makes its own current first.
    void MakeCurrent() const;
    void SetMasterGain(float gain) const;

private:
    AlDevice(ALCdevice* device, ALCcontext* context);

    ALCdevice* mDevice;
    ALCcontext* mContext;
};
