#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;

// What a decoded sound is made of.
struct SoundFormat {
    int Channels = 0;     // 1 or 2
    int SampleRate = 0;   // frames per second
    uint64_t Frames = 0;  // length
};

// An open audio file (WAV, OGG Vorbis, FLAC, MP3, ... whatever libsndfile reads),
// decoded to interleaved signed 16-bit frames.
class SoundFile {
public:
    // Null when the file cannot be opened, is no audio, is empty or has more than two
    // channels; error then names the file and the problem.
    static std::unique_ptr<SoundFile> Open(const std::filesystem::path& path, std::string& error);

    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    const SoundFormat& Format() const { return mFormat; }
    uint64_t Position() const { return mPosition; }
    // What is wrong with a file that still opened, naming the file: a WAV or AIFF file
    // shorter than its header or its audio chunk says (cut off in a copy or a download),
    // whose missing end is not played. Empty for a whole file.
    const std::string& Damage() const { return mDamage; }

    bool Seek(uint64_t frame);
    // How often Seek has moved the decoder: each move costs it a search of the file.
    uint64_t SeekCount() const { return mSeekCount; }
    // Reads up to frameCount frames into out (Channels samples per frame); fewer at the
    // end of the file or on a decoding error.
    uint64_t Read(int16_t* out, uint64_t frameCount);
    // Everything from the current position to the end, read piece by piece so that a
    // header promising more or fewer frames than the file holds does no harm. Null when
    // the file holds more than frameLimit frames.
    std::unique_ptr<std::vector<int16_t>> ReadToEnd(uint64_t frameLimit);

private:
    struct Closer {
        void operator()(sf_private_tag* file) const;
    };

    SoundFile(sf_private_tag* file, SoundFormat format);

    std::unique_ptr<sf_private_tag, Closer> mFile;
    SoundFormat mFormat;
    uint64_t mPosition = 0;
    uint64_t mSeekCount = 0;
    std::string mDamage;
};
