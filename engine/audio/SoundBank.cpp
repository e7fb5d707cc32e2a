#include "audio/SoundBank.h"

#include "assets/ContentFiles.h"
#include "platform/audio/AudioSystem.h"

namespace {

// The bank's sound of that stem, moved out; null when it has none.
std::unique_ptr<AudioSound> TakeSound(SoundBank* bank, const std::string& stem) {
    if (bank == nullptr) {
        return nullptr;
    }
    const auto found = bank->Sounds.find(stem);
    return found != bank->Sounds.end() ? std::move(found->second) : nullptr;
}

}  // namespace

void SoundBank::LoadFolder(AudioSystem& system, const std::filesystem::path& folder, SoundBank* previous) {
    for (const std::filesystem::path& file : ListContentFiles(folder)) {
        const std::string stem = file.stem().string();
        std::string problem;
        std::unique_ptr<AudioSound> sound = system.CreateSound(file, SoundStorage::Sample, &problem);
        if (sound == nullptr) {
            Unreadable[stem] = problem;
            if (!Sounds.contains(stem)) {
                if (std::unique_ptr<AudioSound> kept = TakeSound(previous, stem)) {
                    Sounds[stem] = std::move(kept);
                    KeptPrevious.insert(stem);
                }
            }
            continue;
        }
        if (!sound->Damage().empty()) {
            Damaged.push_back(sound->Damage());
        }
        // Plays once unless a channel asks for repeats (looping cues do).
        sound->SetLoopCount(0);
        Sounds[stem] = std::move(sound);
        KeptPrevious.erase(stem);
    }
}

AudioSound* SoundBank::Find(const std::string& name) const {
    const auto it = Sounds.find(name);
    return it != Sounds.end() ? it->second.get() : nullptr;
}
