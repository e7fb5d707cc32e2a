#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioSound.h"
#include "platform/audio/LoopCursor.h"
#include "platform/audio/SoundFile.h"

class SampleSegments;
class VoiceFeed;

// The data and settings behind an AudioSound: either the whole sound decoded in memory
// or an open file to stream from. Loading needs no device, so a silent system still
// tells audio files from others.
class SoundAsset {
public:
    // Longest sample decoded into memory; anything longer should be streamed.
    static constexpr uint64_t MaxSampleFrames = uint64_t{1} << 26;

    // Null with error naming the file and the problem when it cannot be loaded.
    static std::unique_ptr<SoundAsset> Load(const std::filesystem::path& path, SoundStorage storage,
                                            std::string& error);
    ~SoundAsset();
    SoundAsset(const SoundAsset&) = delete;
    SoundAsset& operator=(const SoundAsset&) = delete;

    bool IsStream() const { return mStream != nullptr; }
    const SoundFormat& Format() const { return mFormat; }
    // What is wrong with a file that still loaded (SoundFile::Damage, or fewer frames
    // decoded than its header gives), naming the file; empty for a whole one.
    const std::string& Damage() const { return mDamage; }

    int LoopCount() const { return mLoopCount; }
    bool SetLoopCount(int count);
    LoopRegion Loop() const { return mLoop; }
    bool SetLoop(LoopRegion loop);
    float DefaultFrequency() const { return mDefaultFrequency; }
    bool SetDefaultFrequency(float frequency);

    // What a new channel plays, with the current loop settings; null when OpenAL refused
    // the buffers. Needs the device's context current.
    std::unique_ptr<VoiceFeed> CreateFeed();
    // Drops every OpenAL object before the device closes.
    void ReleaseDeviceData();

private:
    SoundAsset(SoundFormat format, std::vector<int16_t> samples, std::unique_ptr<SoundFile> stream);

    SoundFormat mFormat;
    std::vector<int16_t> mSamples;                    // samples only
    std::unique_ptr<SoundFile> mStream;               // streams only
    std::shared_ptr<const SampleSegments> mSegments;  // built for mSegmentsLoop
    LoopRegion mSegmentsLoop;
    LoopRegion mLoop;
    int mLoopCount = 0;
    float mDefaultFrequency;
    std::string mDamage;
};
