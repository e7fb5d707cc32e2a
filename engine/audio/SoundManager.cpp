#include "audio/SoundManager.h"

#include <system_error>

#include "object/GameConfig.h"

SoundManager* gSoundManager = nullptr;

SoundManager::SoundManager() {
    // Failure leaves a silent system: every later call does nothing.
    mSystem.Init(ChannelCount);
}

SoundManager::~SoundManager() {
    mBanks.clear();
    mSystem.Release();
}

void SoundManager::LoadBank(const std::string& bankName) {
    if (mBanks.contains(bankName)) {
        return;
    }
    auto bank = std::make_unique<SoundBank>();
    bank->LoadFolder(mSystem, GetSoundFolder() / bankName);
    mBanks[bankName] = std::move(bank);
}

void SoundManager::UnloadBank(const std::string& bankName) {
    // Releasing a sound stops its channels; handles on them go stale.
    mBanks.erase(bankName);
}

AudioSound* SoundManager::FindSound(const std::string& name) const {
    for (const auto& [bankName, bank] : mBanks) {
        if (AudioSound* sound = bank->Find(name)) {
            return sound;
        }
    }
    return nullptr;
}

std::filesystem::path SoundManager::GetSoundFolder() const {
    if (gGameConfig != nullptr && !gGameConfig->DevelopmentContentPath.empty()) {
        const std::filesystem::path development = std::filesystem::path(gGameConfig->DevelopmentContentPath) / "Sounds";
        std::error_code error;
        if (std::filesystem::is_directory(development, error)) {
            return development;
        }
    }
    return "Content/Sounds";
}

void SoundManager::Update() {
    mSystem.Update();
}
