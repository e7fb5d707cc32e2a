#include "platform/audio/AudioSystem.h"

#include "platform/audio/AudioEngine.h"
#include "platform/audio/SoundAsset.h"

AudioSystem::AudioSystem() : mEngine(std::make_shared<AudioEngine>()) {}

AudioSystem::~AudioSystem() {
    Release();
}

bool AudioSystem::Init(int channelCount) {
    return mEngine != nullptr && mEngine->Open(channelCount);
}

void AudioSystem::Update() {
    if (mEngine != nullptr) {
        mEngine->Update();
    }
}

void AudioSystem::Release() {
    if (mEngine != nullptr) {
        mEngine->Close();
        mEngine.reset();
    }
}

std::unique_ptr<AudioSound> AudioSystem::CreateSound(const std::filesystem::path& file, SoundStorage storage,
                                                     std::string* error) {
    std::string problem;
    std::unique_ptr<SoundAsset> asset;
    if (mEngine == nullptr) {
        problem = file.string() + ": the audio system has been released";
    } else {
        asset = SoundAsset::Load(file, storage, problem);
    }
    if (asset == nullptr) {
        if (error != nullptr) {
            *error = problem;
        }
        return nullptr;
    }
    mEngine->Register(*asset);
    return std::unique_ptr<AudioSound>(new AudioSound(mEngine, std::move(asset)));
}

AudioChannel AudioSystem::Play(AudioSound& sound, bool paused) {
    if (mEngine == nullptr || sound.mAsset == nullptr) {
        return {};
    }
    const std::optional<ChannelId> id = mEngine->Play(*sound.mAsset, paused);
    if (!id) {
        return {};
    }
    return AudioChannel(mEngine, id->Slot, id->Generation);
}

void AudioSystem::SetMasterMuted(bool muted) {
    if (mEngine != nullptr) {
        mEngine->SetMasterMuted(muted);
    }
}

bool AudioSystem::IsMasterMuted() const {
    return mEngine != nullptr && mEngine->IsMasterMuted();
}
