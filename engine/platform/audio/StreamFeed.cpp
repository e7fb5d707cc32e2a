#include "platform/audio/StreamFeed.h"

#include <algorithm>
#include <cstddef>

#include "platform/audio/AlSource.h"
#include "platform/audio/SoundFile.h"

std::unique_ptr<StreamFeed> StreamFeed::Create(SoundFile& file, LoopCursor cursor) {
    std::vector<AlBuffer> buffers(BufferCount);
    for (const AlBuffer& buffer : buffers) {
        if (buffer.Id() == 0) {
            return nullptr;
        }
    }
    return std::unique_ptr<StreamFeed>(new StreamFeed(file, cursor, std::move(buffers)));
}

StreamFeed::StreamFeed(SoundFile& file, LoopCursor cursor, std::vector<AlBuffer> buffers)
    : VoiceFeed(cursor),
      mFile(file),
      mBuffers(std::move(buffers)),
      mPiece(PieceFrames * static_cast<uint64_t>(file.Format().Channels)),
      mKeepLoop(cursor.Loop().End - cursor.Loop().Start < PieceFrames) {
    for (const AlBuffer& buffer : mBuffers) {
        mIdle.push_back(buffer.Id());
    }
}

void StreamFeed::Refill(AlSource& source) {
    source.UnqueuePlayed(mIdle);
    while (!mIdle.empty() && !IsDrained()) {
        const uint64_t frames = DecodePiece();
        AlBuffer* buffer = FindBuffer(mIdle.back());
        if (frames == 0 || buffer == nullptr ||
            !buffer->Upload(mFile.Format().Channels, mFile.Format().SampleRate, mPiece.data(), frames)) {
            mCursor.Finish();
            break;
        }
        source.Queue(buffer->Id());
        mIdle.pop_back();
    }
}

uint64_t StreamFeed::DecodePiece() {
    const auto channels = static_cast<uint64_t>(mFile.Format().Channels);
    uint64_t filled = 0;
    while (filled < PieceFrames && !IsDrained()) {
        const FrameSpan span = mCursor.Next(PieceFrames - filled);
        const uint64_t got = Decode(span, mPiece.data() + filled * channels);
        filled += got;
        // A file shorter than its header said ends the stream rather than spinning.
        if (got < span.Count) {
            mCursor.Finish();
            break;
        }
    }
    return filled;
}

uint64_t StreamFeed::Decode(FrameSpan span, int16_t* out) {
    const auto channels = static_cast<uint64_t>(mFile.Format().Channels);
    if (InKeptLoop(span)) {
        const auto first =
            mLoopSamples.begin() + static_cast<std::ptrdiff_t>((span.Begin - mCursor.Loop().Start) * channels);
        std::copy(first, first + static_cast<std::ptrdiff_t>(span.Count * channels), out);
        return span.Count;
    }
    if (mFile.Position() != span.Begin && !mFile.Seek(span.Begin)) {
        return 0;
    }
    return mFile.Read(out, span.Count);
}

bool StreamFeed::InKeptLoop(FrameSpan span) {
    const LoopRegion loop = mCursor.Loop();
    if (!mKeepLoop || span.Begin < loop.Start || span.Begin + span.Count > loop.End + 1) {
        return false;
    }
    if (mLoopSamples.empty()) {
        const uint64_t frames = loop.End - loop.Start + 1;
        std::vector<int16_t> samples(frames * static_cast<uint64_t>(mFile.Format().Channels));
        // A section that cannot be read whole is read from the file as it plays.
        if ((mFile.Position() != loop.Start && !mFile.Seek(loop.Start)) ||
            mFile.Read(samples.data(), frames) != frames) {
            mKeepLoop = false;
            return false;
        }
        mLoopSamples = std::move(samples);
    }
    return true;
}

AlBuffer* StreamFeed::FindBuffer(ALuint id) {
    for (AlBuffer& buffer : mBuffers) {
        if (buffer.Id() == id) {
            return &buffer;
        }
    }
    return nullptr;
}
