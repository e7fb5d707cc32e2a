#include "runtime/SoundBank.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "object/ContentError.h"
#include "platform/DebugPrint.h"
#include "platform/audio/AudioSystem.h"

namespace {

// The regular files directly inside folder, in name order so that which of two files
// with one stem wins does not depend on the file system.
std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        throw ContentError(folder, "cannot list the sound bank folder: " + error.message());
    }
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::directory_entry& entry : it) {
        std::error_code statusError;
        if (entry.is_regular_file(statusError)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

void SoundBank::LoadFolder(AudioSystem& system, const std::filesystem::path& folder) {
    for (const std::filesystem::path& file : ListFiles(folder)) {
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
