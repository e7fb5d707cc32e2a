#include "platform/audio/LoopCursor.h"

#include <algorithm>

namespace {

bool FitsInside(LoopRegion loop, uint64_t length) {
    return loop.Start <= loop.End && loop.End < length;
}

}  // namespace

LoopCursor::LoopCursor(uint64_t lengthFrames, LoopRegion loop, int loopCount)
    : mLength(lengthFrames),
      mLoop(FitsInside(loop, lengthFrames) ? loop : LoopRegion{0, lengthFrames ? lengthFrames - 1 : 0}),
      mLoopsLeft(loopCount) {}

FrameSpan LoopCursor::Next(uint64_t maxFrames) {
    if (IsFinished() || maxFrames == 0) {
        return {mPosition, 0};
    }
    const uint64_t pastLoopEnd = mLoop.End + 1;
    uint64_t boundary = mLength;
    if (mPosition < mLoop.Start) {
        boundary = mLoop.Start;
    } else if (mPosition < pastLoopEnd) {
        boundary = pastLoopEnd;
    }
    const FrameSpan span{mPosition, std::min(boundary - mPosition, maxFrames)};
    mPosition += span.Count;
    if (mPosition == pastLoopEnd && mLoopsLeft != 0) {
        mPosition = mLoop.Start;
        if (mLoopsLeft > 0) {
            --mLoopsLeft;
        }
    }
    return span;
}
