#pragma once

#include "platform/audio/LoopCursor.h"

class AlSource;

// Supplies one channel's source with queued buffers in play order, loops included.
class VoiceFeed {
public:
    explicit VoiceFeed(LoopCursor cursor) : mCursor(cursor) {}
    virtual ~VoiceFeed() = default;
    VoiceFeed(const VoiceFeed&) = delete;
    VoiceFeed& operator=(const VoiceFeed&) = delete;

    // Takes back the buffers the source has played and queues what comes next.
    virtual void Refill(AlSource& source) = 0;

    // Everything has been queued; once the source stops, the channel is over.
    bool IsDrained() const { return mCursor.IsFinished(); }

    int LoopCount() const { return mCursor.LoopCount(); }
    void SetLoopCount(int count) { mCursor.SetLoopCount(count); }

protected:
    LoopCursor mCursor;
};
