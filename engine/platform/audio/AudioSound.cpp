#include "platform/audio/AudioSound.h"

#include "platform/audio/AudioEngine.h"
#include "platform/audio/SoundAsset.h"

AudioSound::AudioSound(std::weak_ptr<AudioEngine> engine, std::unique_ptr<SoundAsset> asset)
    : mEngine(std::move(engine)), mAsset(std::move(asset)) {}

AudioSound::~AudioSound() {
    if (const std::shared_ptr<AudioEngine> engine = mEngine.lock()) {
        engine->Forget(*mAsset);
        // Its OpenAL buffers go while the engine that made them is sure to be alive.
        mAsset.reset();
    }
}

int AudioSound::LoopCount() const {
    return mAsset->LoopCount();
}

bool AudioSound::SetLoopCount(int count) {
    return mAsset->SetLoopCount(count);
}

bool AudioSound::SetLoopPoints(uint32_t startFrame, uint32_t endFrame) {
    return mAsset->SetLoop(LoopRegion{startFrame, endFrame});
}

float AudioSound::DefaultFrequency() const {
    return mAsset->DefaultFrequency();
}

bool AudioSound::SetDefaultFrequency(float frequency) {
    return mAsset->SetDefaultFrequency(frequency);
}

const std::string& AudioSound::Damage() const {
    return mAsset->Damage();
}
