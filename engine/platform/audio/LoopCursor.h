#pragma once

#include <cstdint>

// The part of a sound that repeats, in sample frames. End is the last frame played
// before jumping back to Start (inclusive).
struct LoopRegion {
    uint64_t Start = 0;
    uint64_t End = 0;
};

// A run of consecutive frames of a sound.
struct FrameSpan {
    uint64_t Begin = 0;
    uint64_t Count = 0;

    bool operator==(const FrameSpan&) const = default;
};

// Walks a sound in play order: the frames before the loop, the loop section once plus
// once per remaining loop (-1 repeats it forever), then the frames after it. Spans
// always break at the loop start and just past the loop end, so a sample can keep each
// of its three parts in a buffer of its own and a stream knows where to seek.
class LoopCursor {
public:
    // The region must lie inside the sound; one that does not is taken as the whole.
    LoopCursor(uint64_t lengthFrames, LoopRegion loop, int loopCount);

    // The next span, at most maxFrames long; a Count of 0 means the sound is over.
    FrameSpan Next(uint64_t maxFrames);

    bool IsFinished() const { return mPosition >= mLength; }
    // Ends the walk early, after a read error for instance.
    void Finish() { mPosition = mLength; }

    // The section that repeats: the one given, or the whole sound when it did not fit.
    LoopRegion Loop() const { return mLoop; }

    int LoopCount() const { return mLoopsLeft; }
    // Counts from now on; the section already under way finishes first.
    void SetLoopCount(int count) { mLoopsLeft = count; }

private:
    uint64_t mLength;
    LoopRegion mLoop;
    int mLoopsLeft;
    uint64_t mPosition = 0;
};
