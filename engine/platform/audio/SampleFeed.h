#pragma once

#include <AL/al.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/audio/VoiceFeed.h"

class SampleSegments;

// Plays a decoded sample by queuing its parts in loop order. Only a short stretch is
// queued ahead, so a loop count changed while the channel plays (or waits paused)
// still takes effect.
class SampleFeed final : public VoiceFeed {
public:
    SampleFeed(std::shared_ptr<const SampleSegments> segments, LoopCursor cursor, int sampleRate);

    void Refill(AlSource& source) override;

private:
    // A loop section of a few frames would otherwise fill the queue with thousands of
    // entries; such a loop may stutter when a pass comes late, nothing worse.
    static constexpr size_t MaxQueued = 64;

    bool WantsMore() const;

    std::shared_ptr<const SampleSegments> mSegments;
    uint64_t mLookaheadFrames;
    std::deque<uint64_t> mQueuedFrames;  // length of each queued entry, oldest first
    uint64_t mFramesAhead = 0;
    std::vector<ALuint> mPlayed;
};
