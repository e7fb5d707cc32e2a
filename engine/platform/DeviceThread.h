#pragma once

#include <atomic>
#include <thread>

// The one thread allowed to call into a device (the OpenGL context, the OpenAL device):
// drivers are not made for calls from two threads, and a stray one corrupts their state
// far from the cause. Debug builds stop at the stray call, naming it; in release builds
// the checks cost nothing.
class DeviceThread {
public:
    // deviceName: a literal, shown in the message.
    explicit DeviceThread(const char* deviceName) : mDeviceName(deviceName) {}

    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    // The calling thread made the device and owns it from here on.
    void Claim() { mOwner.store(std::this_thread::get_id(), std::memory_order_relaxed); }
    // The device is gone: nothing is checked until the next Claim.
    void Release() { mOwner.store(std::thread::id(), std::memory_order_relaxed); }

#ifdef NDEBUG
    void Check(const char*) const {}
#else
    // call: what is about to call into the device, e.g. "GfxTexture::RefreshMips".
    void Check(const char* call) const {
        const std::thread::id owner = mOwner.load(std::memory_order_relaxed);
        if (owner != std::thread::id() && owner != std::this_thread::get_id()) {
            Fail(call);
        }
    }
#endif

private:
    [[noreturn]] void Fail(const char* call) const;

    const char* mDeviceName;
    std::atomic<std::thread::id> mOwner{};
};

// The live OpenGL context's thread and the open OpenAL devices' thread.
extern DeviceThread gGlThread;
extern DeviceThread gAlThread;
