#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AudioEngine;
class SoundAsset;

// How a sound keeps its audio: decoded whole into memory (effects), or read from its
// file piece by piece while it plays (music).
enum class SoundStorage { Sample, Stream };

// A loaded sound, made by AudioSystem::CreateSound and released by deleting it, which
// first stops every channel playing it. A stream plays on one channel at a time:
// playing it again starts it over. A sound outliving its system keeps its settings but
// plays nothing more.
class AudioSound {
public:
    ~AudioSound();
    AudioSound(const AudioSound&) = delete;
    AudioSound& operator=(const AudioSound&) = delete;

    // How many times the loop section repeats on a new channel: -1 forever, 0 (the
    // default) none, so the sound plays once from start to end. False for counts below -1.
    int LoopCount() const;
    bool SetLoopCount(int count);

    // The loop section of new channels, in sample frames, end inclusive; the whole sound
    // by default. The frames before it play once first and, once the loop count is used
    // up, the frames after it play to the end. False, leaving the section unchanged,
    // when start > end or end lies past the sound.
    bool SetLoopPoints(uint32_t startFrame, uint32_t endFrame);

    // The playback rate of new channels, at first the file's own sample rate. False for
    // values that are not positive.
    float DefaultFrequency() const;
    bool SetDefaultFrequency(float frequency);

    // What is wrong with the file though it loaded (it is cut short), naming the file;
    // empty when nothing is.
    const std::string& Damage() const;

private:
    friend class AudioSystem;

    AudioSound(std::weak_ptr<AudioEngine> engine, std::unique_ptr<SoundAsset> asset);

    std::weak_ptr<AudioEngine> mEngine;
    std::unique_ptr<SoundAsset> mAsset;
};
