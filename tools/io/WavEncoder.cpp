#include "tools/io/WavEncoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace qv::tools {

namespace {

// A growable in-memory file for libsndfile's virtual I/O.
struct MemoryFile {
    Bytes Data;
    sf_count_t Position = 0;
};

sf_count_t MemLength(void* user) {
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->Data.size());
}

sf_count_t MemSeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file->Position : MemLength(user);
    file->Position = std::max<sf_count_t>(0, base + offset);
    return file->Position;
}

sf_count_t MemRead(void* ptr, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::max<sf_count_t>(0, MemLength(user) - file->Position);
    const sf_count_t n = std::min(count, available);
    std::memcpy(ptr, file->Data.data() + file->Position, static_cast<std::size_t>(n));
    file->Position += n;
    return n;
}

sf_count_t MemWrite(const void* ptr, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto end = static_cast<std::size_t>(file->Position + count);
    if (file->Data.size() < end)
        file->Data.resize(end);
    std::memcpy(file->Data.data() + file->Position, ptr, static_cast<std::size_t>(count));
    file->Position += count;
    return count;
}

sf_count_t MemTell(void* user) {
    return static_cast<MemoryFile*>(user)->Position;
}

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

Bytes EncodeWav16(const std::vector<float>& interleaved, int channels, int sampleRate) {
    if (channels < 1 || interleaved.size() % static_cast<std::size_t>(channels) != 0) {
        throw std::invalid_argument("EncodeWav16: sample count is not a whole number of frames");
    }
    MemoryFile memory;
    SF_VIRTUAL_IO io{&MemLength, &MemSeek, &MemRead, &MemWrite, &MemTell};
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    {
        std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
        if (!file) {
            throw std::runtime_error(std::string("EncodeWav16: ") + sf_strerror(nullptr));
        }
        // Scale floats to the full 16-bit range and clip rather than wrap.
        sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
        const auto frames = static_cast<sf_count_t>(interleaved.size() / channels);
        if (sf_writef_float(file.get(), interleaved.data(), frames) != frames) {
            throw std::runtime_error(std::string("EncodeWav16: ") + sf_strerror(file.get()));
        }
    }
    return memory.Data;
}

}  // namespace qv::tools
