#include "audio/SoundManager.h"

#include <exception>
#include <system_error>

#include "audio/CueSound.h"
#include "object/ContentWarning.h"
#include "object/GameConfig.h"
#include "platform/DebugPrint.h"

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
    const SoundBank& loaded = *(mBanks[bankName] = std::move(bank));
    TellLoadProblems(loaded);
}

void SoundManager::ReloadBank(const std::string& bankName) {
    const auto old = mBanks.find(bankName);
    if (old == mBanks.end()) {
        LoadBank(bankName);
        return;
    }
    auto bank = std::make_unique<SoundBank>();
    try {
        bank->LoadFolder(mSystem, GetSoundFolder() / bankName);
    } catch (const std::exception& error) {
        WarnContent(std::string(error.what()) + "; the sound bank \"" + bankName + "\" stays as it was");
        return;
    }
    bank->KeepUnreadableFrom(*old->second);
    old->second = std::move(bank);
    TellLoadProblems(*old->second);
    for (const std::filesystem::path& file : old->second->ReadClean) {
        TellContentReadClean(file);
    }
}

void SoundManager::TellLoadProblems(const SoundBank& bank) const {
    const std::map<std::string, CueSoundRequest> asked = SoundsAskedForByCues();
    for (const std::string& damage : bank.Damaged) {
        WarnContent(damage);
    }
    for (const auto& [stem, problem] : bank.Unreadable) {
        const auto asker = asked.find(stem);
        if (bank.KeptPrevious.contains(stem)) {
            WarnContent(problem + "; the sound \"" + stem + "\" loaded before is kept");
        } else if (bank.Find(stem) == nullptr && asker != asked.end()) {
            WarnContent(problem + "; \"" + asker->second.Prefab + "\" plays nothing");
        } else {
            // Banks may hold notes and other files beside the sounds.
            DebugPrint(("Sound bank: skipped " + problem + "\n").c_str());
        }
    }
    for (const auto& [sound, asker] : asked) {
        bool unreadable = false;
        for (const auto& [name, other] : mBanks) {
            unreadable = unreadable || (other != nullptr && other->Unreadable.contains(sound));
        }
        if (FindSound(sound) == nullptr && !unreadable) {
            WarnContent("Missing sound \"" + sound + "\" (asked for by " + asker.Describe() + ")");
        }
    }
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
