#include "platform/audio/SampleFeed.h"

#include <limits>

#include "platform/audio/AlSource.h"
#include "platform/audio/SampleSegments.h"

SampleFeed::SampleFeed(std::shared_ptr<const SampleSegments> segments, LoopCursor cursor, int sampleRate)
    : VoiceFeed(cursor),
      mSegments(std::move(segments)),
      // Half a second covers a late pass at any sensible pitch.
      mLookaheadFrames(static_cast<uint64_t>(sampleRate) / 2) {}

void SampleFeed::Refill(AlSource& source) {
    mPlayed.clear();
    source.UnqueuePlayed(mPlayed);
    for (size_t i = 0; i < mPlayed.size() && !mQueuedFrames.empty(); ++i) {
        mFramesAhead -= mQueuedFrames.front();
        mQueuedFrames.pop_front();
    }
    while (WantsMore()) {
        const FrameSpan span = mCursor.Next(std::numeric_limits<uint64_t>::max());
        const ALuint buffer = mSegments->BufferAt(span.Begin);
        if (buffer == 0) {
            mCursor.Finish();
            break;
        }
        source.Queue(buffer);
        mQueuedFrames.push_back(span.Count);
        mFramesAhead += span.Count;
    }
}

bool SampleFeed::WantsMore() const {
    if (IsDrained() || mQueuedFrames.size() >= MaxQueued) {
        return false;
    }
    // Two entries at least, so the source never waits on a pass between two parts.
    return mQueuedFrames.size() < 2 || mFramesAhead < mLookaheadFrames;
}
