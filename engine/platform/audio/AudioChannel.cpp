#include "platform/audio/AudioChannel.h"

#include "platform/audio/AudioEngine.h"

AudioChannel::AudioChannel(std::weak_ptr<AudioEngine> engine, uint32_t slot, uint32_t generation)
    : mEngine(std::move(engine)), mSlot(slot), mGeneration(generation), mIssued(true) {}

template <class Action>
void AudioChannel::WithVoice(Action&& action) const {
    const std::shared_ptr<AudioEngine> engine = mEngine.lock();
    if (engine == nullptr) {
        return;
    }
    if (Voice* voice = engine->Find(ChannelId{mSlot, mGeneration})) {
        action(*voice);
    }
}

bool AudioChannel::IsPlaying() const {
    bool playing = false;
    WithVoice([&](Voice&) { playing = true; });
    return playing;
}

void AudioChannel::Stop() {
    WithVoice([](Voice& voice) { voice.Stop(); });
}

void AudioChannel::SetPaused(bool paused) {
    WithVoice([=](Voice& voice) { voice.SetPaused(paused); });
}

bool AudioChannel::IsPaused() const {
    bool paused = false;
    WithVoice([&](Voice& voice) { paused = voice.IsPaused(); });
    return paused;
}

void AudioChannel::SetVolume(float volume) {
    WithVoice([=](Voice& voice) { voice.SetVolume(volume); });
}

void AudioChannel::SetMuted(bool muted) {
    WithVoice([=](Voice& voice) { voice.SetMuted(muted); });
}

void AudioChannel::SetFrequency(float frequency) {
    WithVoice([=](Voice& voice) { voice.SetFrequency(frequency); });
}

float AudioChannel::Frequency() const {
    float frequency = 0.0f;
    WithVoice([&](Voice& voice) { frequency = voice.Frequency(); });
    return frequency;
}

void AudioChannel::SetLoopCount(int count) {
    WithVoice([=](Voice& voice) { voice.SetLoopCount(count); });
}
