#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/audio/AudioChannel.h"
#include "platform/audio/AudioSound.h"

class AudioEngine;

// The game's sound output: a fixed set of channels mixed by OpenAL Soft, sounds decoded
// by libsndfile, and a master mute over every channel.
//
// Handle rules:
// - AudioChannel is a slot and a generation. A channel that has ended, was stopped, was
//   taken over when every channel was busy, or whose sound was released, leaves its
//   handles stale: calls on them do nothing and IsPlaying reports false. A later sound
//   in the same slot is never reached through an old handle.
// - When every channel is busy, Play takes over the oldest channel that does not
//   repeat, else the oldest one.
// - AudioSound is owned by its creator; deleting it stops its channels first.
// - After Release (or the destructor) every call on a channel or the system does
//   nothing, and sounds still alive may only be deleted.
// - Without an output device (Init returned false) the system stays usable and silent:
//   sounds still load, so bad files are still told apart, but Play gives a handle that
//   is false and plays nothing.
// Main thread only.
class AudioSystem {
public:
    static constexpr int DefaultChannelCount = 100;

    AudioSystem();
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // Opens the default output device with up to channelCount channels. False when there
    // is no device (or after Release); the system then plays nothing.
    bool Init(int channelCount = DefaultChannelCount);
    // Once per pass: refills the streams and the queues of repeating sounds and frees
    // the channels whose sound has ended.
    void Update();
    // Stops everything and closes the device. Also done by the destructor.
    void Release();

    // Null when the file cannot be loaded or the system is released; error (when given)
    // then names the file and the problem.
    std::unique_ptr<AudioSound> CreateSound(const std::filesystem::path& file, SoundStorage storage,
                                            std::string* error = nullptr);
    // Plays on a free channel, paused or not; see the handle rules above.
    AudioChannel Play(AudioSound& sound, bool paused);

    void SetMasterMuted(bool muted);
    bool IsMasterMuted() const;

private:
    std::shared_ptr<AudioEngine> mEngine;
};
