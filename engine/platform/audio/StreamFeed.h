#pragma once

#include <AL/al.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/AlBuffer.h"
#include "platform/audio/VoiceFeed.h"

class SoundFile;

// Decodes a stream piece by piece into a small ring of buffers that each pass refills,
// seeking back to the loop start after the loop end. A loop section no longer than a
// piece is decoded once and repeated from memory: read from the file, every repeat would
// cost a seek, and a loop of a few frames thousands of them per refill.
class StreamFeed final : public VoiceFeed {
public:
    static constexpr int BufferCount = 4;
    static constexpr uint64_t PieceFrames = 8192;

    // Null when OpenAL could not make the buffers. Needs the context current.
    static std::unique_ptr<StreamFeed> Create(SoundFile& file, LoopCursor cursor);

    void Refill(AlSource& source) override;

private:
    StreamFeed(SoundFile& file, LoopCursor cursor, std::vector<AlBuffer> buffers);

    // Fills mPiece in play order; returns the frames decoded.
    uint64_t DecodePiece();
    // The span's frames into out; returns how many there were.
    uint64_t Decode(FrameSpan span, int16_t* out);
    // Whether the span lies in a loop section kept in memory, decoding the section first.
    bool InKeptLoop(FrameSpan span);
    AlBuffer* FindBuffer(ALuint id);

    SoundFile& mFile;
    std::vector<AlBuffer> mBuffers;
    std::vector<ALuint> mIdle;  // buffers not queued on the source
    std::vector<int16_t> mPiece;
    // The loop section's samples once decoded; only while mKeepLoop holds.
    bool mKeepLoop;
    std::vector<int16_t> mLoopSamples;
};
