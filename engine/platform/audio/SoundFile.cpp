#include "platform/audio/SoundFile.h"

#include <sndfile.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "object/ReadableFile.h"

namespace {

std::string Problem(const std::filesystem::path& path, const std::string& what) {
    return path.string() + ": " + what;
}

// The chunk layout of RIFF (WAV, little-endian) and FORM (AIFF, big-endian) files.
struct ContainerKind {
    const char* Id;
    const char* AudioChunk;  // the chunk holding the samples
    bool BigEndian;
};

constexpr ContainerKind kContainers[] = {{"RIFF", "data", false}, {"FORM", "SSND", true}};

uint64_t ReadLength(const unsigned char* bytes, bool bigEndian) {
    return bigEndian ? (uint64_t{bytes[0]} << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]
                     : bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint64_t{bytes[3]} << 24);
}

std::string CutShort(const std::filesystem::path& path, uint64_t held, uint64_t given, const std::string& by) {
    return Problem(path, "cut short: " + std::to_string(held) + " of the " + std::to_string(given) + " bytes " + by +
                             " gives; the missing end does not play");
}

// RIFF and FORM files give their own length after the first four bytes, and each chunk
// its length; the decoder quietly plays what there is of a shorter file, and of an audio
// chunk claiming more than the file holds. One byte of slack: some writers count the pad
// byte of an odd chunk without writing it.
std::string CheckContainerLength(const std::filesystem::path& path) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    const std::unique_ptr<FILE, int (*)(FILE*)> in(ReadableFile(path).ReleaseAsStream(), std::fclose);
    std::array<unsigned char, 12> head{};
    if (error || in == nullptr || std::fread(head.data(), 1, head.size(), in.get()) != head.size()) {
        return {};
    }
    const ContainerKind* kind = nullptr;
    for (const ContainerKind& candidate : kContainers) {
        kind = std::memcmp(head.data(), candidate.Id, 4) == 0 ? &candidate : kind;
    }
    if (kind == nullptr) {
        return {};
    }
    const uint64_t declared = ReadLength(head.data() + 4, kind->BigEndian) + 8;
    if (declared > size + 1) {
        return CutShort(path, size, declared, "its header");
    }
    std::array<unsigned char, 8> chunk{};
    for (uint64_t at = head.size(); at + chunk.size() <= size;) {
        if (fseeko(in.get(), static_cast<off_t>(at), SEEK_SET) != 0 ||
            std::fread(chunk.data(), 1, chunk.size(), in.get()) != chunk.size()) {
            return {};
        }
        const uint64_t length = ReadLength(chunk.data() + 4, kind->BigEndian);
        const uint64_t held = size - at - chunk.size();
        if (std::memcmp(chunk.data(), kind->AudioChunk, 4) == 0) {
            return length > held + 1 ? CutShort(path, held, length, "its audio chunk") : std::string();
        }
        at += chunk.size() + length + (length & 1);
    }
    return {};
}

}  // namespace

void SoundFile::Closer::operator()(sf_private_tag* file) const {
    sf_close(file);
}

SoundFile::SoundFile(sf_private_tag* file, SoundFormat format) : mFile(file), mFormat(format) {}

SoundFile::~SoundFile() = default;

std::unique_ptr<SoundFile> SoundFile::Open(const std::filesystem::path& path, std::string& error) {
    ReadableFile readable(path);
    if (!readable.IsOpen()) {
        error = Problem(path, readable.Problem());
        return nullptr;
    }
    SF_INFO info{};
    // The decoder closes the descriptor, also when it refuses the file.
    SNDFILE* file = sf_open_fd(readable.ReleaseDescriptor(), SFM_READ, &info, SF_TRUE);
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
    sound->mDamage = CheckContainerLength(path);
    return sound;
}

bool SoundFile::Seek(uint64_t frame) {
    ++mSeekCount;
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
