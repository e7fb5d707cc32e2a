#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/audio/AudioSound.h"

class AudioSystem;

// One group of sound effects, loaded together from one folder and keyed by file stem.
// Deleting the bank releases its sounds, which stops whatever they are playing.
class SoundBank {
public:
    SoundBank() = default;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    virtual ~SoundBank() = default;

    // Decodes every regular file directly inside folder (no subfolders) into memory. A
    // file that is no audio is skipped with a note naming it; of two files with one stem
    // the later in name order wins. ContentError when the folder cannot be listed.
    void LoadFolder(AudioSystem& system, const std::filesystem::path& folder);

    // The sound of that name, or null.
    AudioSound* Find(const std::string& name) const;

    std::map<std::string, std::unique_ptr<AudioSound>> Sounds;
};
