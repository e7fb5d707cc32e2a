#include "audio/SoundBank.h"

#include "assets/ContentFiles.h"
#include "platform/DebugPrint.h"
#include "platform/audio/AudioSystem.h"

void SoundBank::LoadFolder(AudioSystem& system, const std::filesystem::path& folder) {
    for (const std::filesystem::path& file : ListContentFiles(folder)) {
        std::string problem;
        std::unique_ptr<AudioSound> sound = system.CreateSound(file, SoundStorage::Sample, &problem);
        if (sound == nullptr) {
            // Banks may hold notes and other files beside the sounds.
            DebugPrint(("Sound bank: skipped " + problem + "\n").c_str());
            continue;
        }
        // Plays once unless a channel asks for repeats (looping cues do).
        sound->SetLoopCount(0);
        Sounds[file.stem().string()] = std::move(sound);
    }
}

AudioSound* SoundBank::Find(const std::string& name) const {
    const auto it = Sounds.find(name);
    return it != Sounds.end() ? it->second.get() : nullptr;
}
