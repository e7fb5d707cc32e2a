#include "platform/audio/SoundFile.h"

#include <sndfile.h>

#include <system_error>

namespace {

std::string Problem(const std::filesystem::path& path, const std::string& what) {
    return path.string() + ": " + what;
}

}  // namespace

void SoundFile::Closer::operator()(sf_private_tag* file) const {
    sf_close(file);
}

SoundFile::SoundFile(sf_private_tag* file, SoundFormat format) : mFile(file), mFormat(format) {}

SoundFile::~SoundFile() = default;

std::unique_ptr<SoundFile> SoundFile::Open(const std::filesystem::path& path, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = Problem(path, "missing or not a regular file");
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = Problem(path, std::string("not a readable audio file (") + sf_strerror(nullptr) + ")");
        return nullptr;
    }
    std::unique_ptr<SoundFile> sound(
        new SoundFile(file, SoundFormat{info.channels, info.samplerate, static_cast<uint64_t>(info.frames)}));
    if (info.channels < 1 || info.channels > 2) {
        error = Problem(path, std::to_string(info.channels) + " channels; only mono and stereo are played");
        return nullptr;
    }
    if (info.samplerate <= 0) {
        error = Problem(path, "invalid sample rate " + std::to_string(info.samplerate));
        return nullptr;
    }
    // Unknown lengths come back as SF_COUNT_MAX; neither they nor empty files can be looped.
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX) {
        error = Problem(path, "holds no audio frames of known length");
        return nullptr;
    }
    return sound;
}

bool SoundFile::Seek(uint64_t frame) {
    if (sf_seek(mFile.get(), static_cast<sf_count_t>(frame), SEEK_SET) < 0) {
        return false;
    }
    mPosition = frame;
    return true;
}

uint64_t SoundFile::Read(int16_t* out, uint64_t frameCount) {
    const sf_count_t got = sf_readf_short(mFile.get(), out, static_cast<sf_count_t>(frameCount));
    const uint64_t frames = got > 0 ? static_cast<uint64_t>(got) : 0;
    mPosition += frames;
    return frames;
}

std::unique_ptr<std::vector<int16_t>> SoundFile::ReadToEnd(uint64_t frameLimit) {
    constexpr uint64_t PieceFrames = 65536;
    const auto channels = static_cast<size_t>(mFormat.Channels);
    auto samples = std::make_unique<std::vector<int16_t>>();
    uint64_t frames = 0;
    for (;;) {
        samples->resize((frames + PieceFrames) * channels);
        const uint64_t got = Read(samples->data() + frames * channels, PieceFrames);
        frames += got;
        if (frames > frameLimit) {
            return nullptr;
        }
        if (got < PieceFrames) {
            break;
        }
    }
    samples->resize(frames * channels);
    samples->shrink_to_fit();
    return samples;
}
