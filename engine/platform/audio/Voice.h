#pragma once

#include <cstdint>
#include <memory>

#include "platform/audio/AlSource.h"

class SoundAsset;
class VoiceFeed;

// One channel slot: an OpenAL source and what it is playing. The generation counts the
// channels the slot has held, so a handle to an earlier one is recognised as stale.
// A channel played paused queues nothing until it is first unpaused, so the settings
// made in between (loop count above all) apply from its first frame.
class Voice {
public:
    explicit Voice(AlSource source);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    uint32_t Generation() const { return mGeneration; }
    bool IsBusy() const { return mSound != nullptr; }
    const SoundAsset* Sound() const { return mSound; }
    uint64_t StartSerial() const { return mStartSerial; }
    // Started, fully queued and the source has run dry: the sound is over.
    bool HasFinished() const;

    void Begin(SoundAsset& sound, std::unique_ptr<VoiceFeed> feed, uint64_t startSerial, bool paused);
    // Frees the slot; the current handle goes stale.
    void Stop();
    // Once per pass: refills the queue and restarts a source that ran dry early.
    void Service();

    void SetPaused(bool paused);
    bool IsPaused() const { return mPaused; }
    void SetVolume(float volume);
    void SetMuted(bool muted);
    void SetFrequency(float frequency);
    float Frequency() const { return mFrequency; }
    void SetLoopCount(int count);
    int LoopCount() const;

private:
    void StartPlayback();
    void ApplyGain();

    AlSource mSource;
    SoundAsset* mSound = nullptr;
    std::unique_ptr<VoiceFeed> mFeed;
    uint32_t mGeneration = 0;
    uint64_t mStartSerial = 0;
    float mNativeRate = 1.0f;
    float mFrequency = 0.0f;
    float mVolume = 1.0f;
    bool mMuted = false;
    bool mPaused = false;
    bool mStarted = false;
};
