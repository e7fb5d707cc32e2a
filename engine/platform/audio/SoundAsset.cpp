#include "platform/audio/SoundAsset.h"

#include <cmath>

#include "platform/audio/SampleFeed.h"
#include "platform/audio/SampleSegments.h"
#include "platform/audio/StreamFeed.h"

std::unique_ptr<SoundAsset> SoundAsset::Load(const std::filesystem::path& path, SoundStorage storage,
                                             std::string& error) {
    std::unique_ptr<SoundFile> file = SoundFile::Open(path, error);
    if (file == nullptr) {
        return nullptr;
    }
    SoundFormat format = file->Format();
    std::string damage = file->Damage();
    if (storage == SoundStorage::Stream) {
        auto asset = std::unique_ptr<SoundAsset>(new SoundAsset(format, {}, std::move(file)));
        asset->mDamage = std::move(damage);
        return asset;
    }
    std::unique_ptr<std::vector<int16_t>> samples = file->ReadToEnd(MaxSampleFrames);
    if (samples == nullptr) {
        error = path.string() + ": longer than " + std::to_string(MaxSampleFrames) +
                " frames; too long to decode into memory, stream it instead";
        return nullptr;
    }
    // The header's length is only a promise; the decoded frames are the truth.
    const uint64_t promised = format.Frames;
    format.Frames = samples->size() / static_cast<size_t>(format.Channels);
    if (format.Frames == 0) {
        error = path.string() + ": no audio frames could be decoded";
        return nullptr;
    }
    if (damage.empty() && format.Frames < promised) {
        damage = path.string() + ": only " + std::to_string(format.Frames) + " of the " + std::to_string(promised) +
                 " frames its header gives could be decoded";
    }
    auto asset = std::unique_ptr<SoundAsset>(new SoundAsset(format, std::move(*samples), nullptr));
    asset->mDamage = std::move(damage);
    return asset;
}

SoundAsset::SoundAsset(SoundFormat format, std::vector<int16_t> samples, std::unique_ptr<SoundFile> stream)
    : mFormat(format),
      mSamples(std::move(samples)),
      mStream(std::move(stream)),
      mLoop{0, format.Frames - 1},
      mDefaultFrequency(static_cast<float>(format.SampleRate)) {}

SoundAsset::~SoundAsset() = default;

bool SoundAsset::SetLoopCount(int count) {
    if (count < -1) {
        return false;
    }
    mLoopCount = count;
    return true;
}

bool SoundAsset::SetLoop(LoopRegion loop) {
    if (loop.Start > loop.End || loop.End >= mFormat.Frames) {
        return false;
    }
    mLoop = loop;
    return true;
}

bool SoundAsset::SetDefaultFrequency(float frequency) {
    if (!std::isfinite(frequency) || frequency <= 0.0f) {
        return false;
    }
    mDefaultFrequency = frequency;
    return true;
}

std::unique_ptr<VoiceFeed> SoundAsset::CreateFeed() {
    const LoopCursor cursor(mFormat.Frames, mLoop, mLoopCount);
    if (IsStream()) {
        return StreamFeed::Create(*mStream, cursor);
    }
    if (mSegments == nullptr || mSegmentsLoop.Start != mLoop.Start || mSegmentsLoop.End != mLoop.End) {
        mSegments = SampleSegments::Build(mSamples, mFormat, mLoop);
        mSegmentsLoop = mLoop;
    }
    if (mSegments == nullptr) {
        return nullptr;
    }
    return std::make_unique<SampleFeed>(mSegments, cursor, mFormat.SampleRate);
}

void SoundAsset::ReleaseDeviceData() {
    mSegments.reset();
}
