#include "platform/audio/AudioEngine.h"

#include "platform/DebugPrint.h"
#include "platform/audio/SoundAsset.h"
#include "platform/audio/VoiceFeed.h"

AudioEngine::~AudioEngine() {
    Close();
}

bool AudioEngine::Open(int channelCount) {
    if (IsOpen() || channelCount <= 0) {
        return IsOpen();
    }
    mDevice = AlDevice::Open();
    if (mDevice == nullptr) {
        DebugPrint("Audio: no output device could be opened; running without sound.\n");
        return false;
    }
    for (int i = 0; i < channelCount; ++i) {
        AlSource source;
        // A device may offer fewer sources than asked; play on with what it gave.
        if (source.Id() == 0) {
            break;
        }
        mVoices.emplace_back(std::move(source));
    }
    if (mVoices.empty()) {
        DebugPrint("Audio: the output device gave no channels; running without sound.\n");
        mDevice.reset();
        return false;
    }
    mDevice->SetMasterGain(mMasterMuted ? 0.0f : 1.0f);
    return true;
}

void AudioEngine::Close() {
    if (!IsOpen()) {
        return;
    }
    mDevice->MakeCurrent();
    for (Voice& voice : mVoices) {
        voice.Stop();
    }
    mVoices.clear();
    for (SoundAsset* sound : mSounds) {
        sound->ReleaseDeviceData();
    }
    mDevice.reset();
}

void AudioEngine::Update() {
    if (!IsOpen()) {
        return;
    }
    mDevice->MakeCurrent();
    for (Voice& voice : mVoices) {
        if (voice.HasFinished()) {
            voice.Stop();
        } else {
            voice.Service();
        }
    }
}

void AudioEngine::Register(SoundAsset& sound) {
    mSounds.insert(&sound);
}

void AudioEngine::Forget(SoundAsset& sound) {
    if (IsOpen()) {
        mDevice->MakeCurrent();
        StopVoicesOf(sound);
    }
    mSounds.erase(&sound);
}

std::optional<ChannelId> AudioEngine::Play(SoundAsset& sound, bool paused) {
    if (!IsOpen() || !mSounds.contains(&sound)) {
        return std::nullopt;
    }
    mDevice->MakeCurrent();
    // A stream has one decoder, so it plays on one channel at a time: playing it again
    // starts it over.
    if (sound.IsStream()) {
        StopVoicesOf(sound);
    }
    std::unique_ptr<VoiceFeed> feed = sound.CreateFeed();
    if (feed == nullptr) {
        return std::nullopt;
    }
    const uint32_t slot = AcquireSlot();
    Voice& voice = mVoices[slot];
    voice.Begin(sound, std::move(feed), mNextSerial++, paused);
    return ChannelId{slot, voice.Generation()};
}

Voice* AudioEngine::Find(ChannelId id) {
    if (!IsOpen() || id.Slot >= mVoices.size()) {
        return nullptr;
    }
    Voice& voice = mVoices[id.Slot];
    if (!voice.IsBusy() || voice.Generation() != id.Generation) {
        return nullptr;
    }
    mDevice->MakeCurrent();
    // A channel that has ended is gone, whether or not a pass has noticed yet.
    if (voice.HasFinished()) {
        voice.Stop();
        return nullptr;
    }
    return &voice;
}

void AudioEngine::SetMasterMuted(bool muted) {
    mMasterMuted = muted;
    if (IsOpen()) {
        mDevice->SetMasterGain(muted ? 0.0f : 1.0f);
    }
}

uint32_t AudioEngine::AcquireSlot() {
    for (uint32_t slot = 0; slot < mVoices.size(); ++slot) {
        if (!mVoices[slot].IsBusy()) {
            return slot;
        }
    }
    for (uint32_t slot = 0; slot < mVoices.size(); ++slot) {
        if (mVoices[slot].HasFinished()) {
            mVoices[slot].Stop();
            return slot;
        }
    }
    // Every channel is taken: the oldest one that will end anyway goes first, and a
    // repeating one only when all repeat.
    int victim = OldestSlot(false);
    if (victim < 0) {
        victim = OldestSlot(true);
    }
    mVoices[static_cast<size_t>(victim)].Stop();
    return static_cast<uint32_t>(victim);
}

int AudioEngine::OldestSlot(bool repeatingAllowed) const {
    int oldest = -1;
    for (size_t slot = 0; slot < mVoices.size(); ++slot) {
        const Voice& voice = mVoices[slot];
        if (!repeatingAllowed && voice.LoopCount() != 0) {
            continue;
        }
        if (oldest < 0 || voice.StartSerial() < mVoices[static_cast<size_t>(oldest)].StartSerial()) {
            oldest = static_cast<int>(slot);
        }
    }
    return oldest;
}

void AudioEngine::StopVoicesOf(const SoundAsset& sound) {
    for (Voice& voice : mVoices) {
        if (voice.Sound() == &sound) {
            voice.Stop();
        }
    }
}
