#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "audio/SoundBank.h"
#include "platform/audio/AudioSystem.h"

// Owns the audio system (shared with the music and the mute switches) and the loaded
// sound banks, one folder each under the sound folder.
class SoundManager {
public:
    static constexpr int ChannelCount = 100;

    // Opens the output with 100 channels; without a device the game runs on silently.
    SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;
    // Releases the remaining banks, then the system.
    virtual ~SoundManager();

    // Loads the bank once; a bank already loaded is kept as it is. ContentError when
    // its folder cannot be listed. What the load finds wrong is told (TellLoadProblems).
    void LoadBank(const std::string& bankName);
    // Reads a loaded bank's folder again (the hot reload): a file that cannot be read
    // now keeps the sound it gave before, and a folder that cannot be listed keeps the
    // whole bank, each named through WarnContent; a file read without a problem is told
    // read clean. Replaced sounds stop their channels.
    void ReloadBank(const std::string& bankName);
    // Releases the bank's sounds, stopping their channels; nothing for an unknown bank.
    void UnloadBank(const std::string& bankName);
    // The first sound of that name, visiting the banks in ascending order of bank name;
    // null when none has it. Look sounds up when playing: a reload replaces them.
    AudioSound* FindSound(const std::string& name) const;

    // "Sounds" under the development content path when that folder exists, otherwise
    // "Content/Sounds".
    std::filesystem::path GetSoundFolder() const;

    // Once per pass: refills streams and frees channels whose sound has ended.
    void Update();

    AudioSystem& System() { return mSystem; }

private:
    // Through WarnContent: the bank's damaged files, its unreadable files that a cue asks
    // for or whose previous sound was kept, and every sound the cue prefabs ask for that
    // no loaded bank holds. Other unreadable files (notes beside the sounds) get a line
    // on standard error only.
    void TellLoadProblems(const SoundBank& bank) const;

    AudioSystem mSystem;
    // Declared after the system so that the banks go first.
    std::map<std::string, std::unique_ptr<SoundBank>> mBanks;
};

extern SoundManager* gSoundManager;
