#include "audio/SoundBank.h"

#include "assets/ContentFiles.h"
#include "platform/audio/AudioSystem.h"

void SoundBank::LoadFolder(AudioSystem& system, const std::filesystem::path& folder) {
    for (const std::filesystem::path& file : ListContentFiles(folder)) {
        const std::string stem = file.stem().string();
        std::string problem;
        std::unique_ptr<AudioSound> sound = system.CreateSound(file, SoundStorage::Sample, &problem);
        if (sound == nullptr) {
            Unreadable[stem] = problem;
            continue;
        }
        if (sound->Damage().empty()) {
            ReadClean.push_back(file);
        } else {
            Damaged.push_back(sound->Damage());
        }
        // Plays once unless a channel asks for repeats (looping cues do).
        sound->SetLoopCount(0);
        Sounds[stem] = std::move(sound);
    }
}

void SoundBank::KeepUnreadableFrom(SoundBank& previous) {
    for (const auto& [stem, problem] : Unreadable) {
        const auto kept = previous.Sounds.find(stem);
        if (!Sounds.contains(stem) && kept != previous.Sounds.end() && kept->second != nullptr) {
            Sounds[stem] = std::move(kept->second);
            KeptPrevious.insert(stem);
        }
    }
}

AudioSound* SoundBank::Find(const std::string& name) const {
    const auto it = Sounds.find(name);
    return it != Sounds.end() ? it->second.get() : nullptr;
}
