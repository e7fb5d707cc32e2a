#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

    // Decodes every regular file directly inside folder (no subfolders) into memory; of
    // two files with one stem the later in name order wins. A file that is no audio is
    // noted in Unreadable. ContentError when the folder cannot be listed.
    void LoadFolder(AudioSystem& system, const std::filesystem::path& folder);
    // On a reload: a stem whose every file is unreadable now takes over the sound the
    // previous bank held under it, noted in KeptPrevious.
    void KeepUnreadableFrom(SoundBank& previous);

    // The sound of that name, or null.
    AudioSound* Find(const std::string& name) const;

    std::map<std::string, std::unique_ptr<AudioSound>> Sounds;
    // What the load found, for the manager to tell: the files that could not be read, by
    // stem, with the problem naming the file; the stems whose previous sound was kept;
    // what is wrong with files that loaded though damaged; and the files that loaded
    // without a problem.
    std::map<std::string, std::string> Unreadable;
    std::set<std::string> KeptPrevious;
    std::vector<std::string> Damaged;
    std::vector<std::filesystem::path> ReadClean;
};
