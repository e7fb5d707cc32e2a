#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "audio/MusicMetadata.h"
#include "platform/audio/AudioChannel.h"
#include "platform/audio/AudioSound.h"

class AudioSystem;

// Plays one streamed music track at a time, repeating forever, optionally between loop
// points given beside the track (an intro plays once, the rest repeats). The screens
// and the mute switch read and write the fields directly.
class MusicManager {
public:
    // Scans the music folder once; new files are not noticed later. A track file that
    // cannot be played, or is cut short, is named through WarnContent. So is a loop-point
    // file that cannot be read, or whose points make no loop (the start not before the
    // end, or the end past the track): its track then repeats whole. The system must
    // outlive this.
    explicit MusicManager(AudioSystem& system, const std::filesystem::path& folder = GetMusicFolder());
    MusicManager(const MusicManager&) = delete;
    MusicManager& operator=(const MusicManager&) = delete;
    virtual ~MusicManager() = default;

    // "Content/Music": music never comes from the development content path.
    static std::filesystem::path GetMusicFolder() { return "Content/Music"; }

    // Starts the track from its beginning, replacing the current one, even when it is
    // the current one. A name that is no track changes nothing at all.
    void Play(const std::string& trackName);

    // The track last started.
    std::string CurrentTrack;
    std::map<std::string, MusicMetadata> Tracks;
    // The stream of the current track; releasing it stops the music.
    std::unique_ptr<AudioSound> Sound;
    AudioChannel Channel;
    // Applied to every new track's channel.
    bool Muted = false;

private:
    void Scan(const std::filesystem::path& folder);
    // Opens the track's stream once, to tell at start-up what would not play later; null
    // when it cannot be played.
    std::unique_ptr<AudioSound> OpenToCheck(const std::filesystem::path& file, const std::string& trackName);
    // Sets the track's loop points from its loop-point file, or tells why they are left out.
    void ReadLoopPoints(const std::filesystem::path& file, const std::string& trackName, AudioSound* stream,
                        MusicMetadata& track);

    AudioSystem& mSystem;
};

extern MusicManager* gMusicManager;
