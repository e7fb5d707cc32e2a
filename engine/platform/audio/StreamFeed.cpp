#include "platform/audio/StreamFeed.h"

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
      mPiece(PieceFrames * static_cast<uint64_t>(file.Format().Channels)) {
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
        if (mFile.Position() != span.Begin && !mFile.Seek(span.Begin)) {
            mCursor.Finish();
            break;
        }
        const uint64_t got = mFile.Read(mPiece.data() + filled * channels, span.Count);
        filled += got;
        // A file shorter than its header said ends the stream rather than spinning.
        if (got < span.Count) {
            mCursor.Finish();
            break;
        }
    }
    return filled;
}

AlBuffer* StreamFeed::FindBuffer(ALuint id) {
    for (AlBuffer& buffer : mBuffers) {
        if (buffer.Id() == id) {
            return &buffer;
        }
    }
    return nullptr;
}
