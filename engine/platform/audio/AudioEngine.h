#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_set>

#include "platform/audio/AlDevice.h"
#include "platform/audio/Voice.h"

class SoundAsset;

// Names one channel: its slot and the slot's generation when it was handed out.
struct ChannelId {
    uint32_t Slot = 0;
    uint32_t Generation = 0;
};

// What AudioSystem, AudioSound and AudioChannel share: the device, the channel slots and
// the registry of live sounds. The handles hold it weakly, so once the system is
// released every call through them finds nothing and does nothing.
class AudioEngine {
public:
    AudioEngine() = default;
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // False when there is no device or no channel could be made; the engine then stays
    // silent and every play gives nothing.
    bool Open(int channelCount);
    // Stops every channel and drops every OpenAL object, then closes the device.
    void Close();
    bool IsOpen() const { return mDevice != nullptr; }

    void Update();

    void Register(SoundAsset& sound);
    // Stops the sound's channels and forgets it; the caller deletes it next.
    void Forget(SoundAsset& sound);

    // Empty when nothing can play: no device, a sound of another system, or buffers
    // OpenAL refused.
    std::optional<ChannelId> Play(SoundAsset& sound, bool paused);
    // The channel's voice, null when the handle is stale. Makes the context current.
    Voice* Find(ChannelId id);

    void SetMasterMuted(bool muted);
    bool IsMasterMuted() const { return mMasterMuted; }

private:
    // The slot for a new channel, emptied.
    uint32_t AcquireSlot();
    // Slot of the voice that started first, among those that do not repeat unless
    // repeatingAllowed; -1 when there is none.
    int OldestSlot(bool repeatingAllowed) const;
    void StopVoicesOf(const SoundAsset& sound);

    std::unique_ptr<AlDevice> mDevice;
    std::deque<Voice> mVoices;  // never moved: voices own sources in use
    std::unordered_set<SoundAsset*> mSounds;
    uint64_t mNextSerial = 0;
    bool mMasterMuted = false;
};
