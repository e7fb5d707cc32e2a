#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/audio/LoopCursor.h"

namespace {

constexpr uint64_t Whole = std::numeric_limits<uint64_t>::max();

std::vector<FrameSpan> Walk(LoopCursor& cursor, uint64_t maxFrames, size_t limit = 100) {
    std::vector<FrameSpan> spans;
    while (spans.size() < limit) {
        const FrameSpan span = cursor.Next(maxFrames);
        if (span.Count == 0) {
            break;
        }
        spans.push_back(span);
    }
    return spans;
}

// Every frame index in play order.
std::vector<uint64_t> Frames(const std::vector<FrameSpan>& spans) {
    std::vector<uint64_t> frames;
    for (const FrameSpan& span : spans) {
        for (uint64_t i = 0; i < span.Count; ++i) {
            frames.push_back(span.Begin + i);
        }
    }
    return frames;
}

std::vector<uint64_t> Range(uint64_t first, uint64_t end) {
    std::vector<uint64_t> frames;
    for (uint64_t i = first; i < end; ++i) {
        frames.push_back(i);
    }
    return frames;
}

template <class... Parts>
std::vector<uint64_t> Concat(Parts... parts) {
    std::vector<uint64_t> all;
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

TEST(LoopCursorTest, NoRepeatsPlaysTheWholeSoundOnceInItsThreeParts) {
    LoopCursor cursor(100, LoopRegion{20, 59}, 0);
    const std::vector<FrameSpan> expected = {{0, 20}, {20, 40}, {60, 40}};
    EXPECT_EQ(Walk(cursor, Whole), expected);
    EXPECT_TRUE(cursor.IsFinished());
    EXPECT_EQ(cursor.Next(Whole).Count, 0u);
}

TEST(LoopCursorTest, LoopCountNPlaysTheSectionNPlusOneTimesWithItsEndFrameIncluded) {
    LoopCursor cursor(100, LoopRegion{20, 59}, 2);
    const std::vector<FrameSpan> expected = {{0, 20}, {20, 40}, {20, 40}, {20, 40}, {60, 40}};
    const std::vector<FrameSpan> spans = Walk(cursor, Whole);
    EXPECT_EQ(spans, expected);
    EXPECT_EQ(Frames(spans), Concat(Range(0, 60), Range(20, 60), Range(20, 60), Range(60, 100)));
}

TEST(LoopCursorTest, ForeverNeverReachesThePartAfterTheLoop) {
    LoopCursor cursor(100, LoopRegion{20, 59}, -1);
    const std::vector<FrameSpan> spans = Walk(cursor, 33, 500);
    ASSERT_EQ(spans.size(), 500u);
    EXPECT_FALSE(cursor.IsFinished());
    for (const FrameSpan& span : spans) {
        EXPECT_LE(span.Begin + span.Count, 60u);
    }
    EXPECT_EQ(cursor.LoopCount(), -1);
}

TEST(LoopCursorTest, PiecesRespectTheSizeLimitAndStillBreakAtTheLoopEdges) {
    LoopCursor cursor(50, LoopRegion{10, 29}, 1);
    const std::vector<FrameSpan> spans = Walk(cursor, 7);
    for (const FrameSpan& span : spans) {
        EXPECT_LE(span.Count, 7u);
        // No piece straddles the loop start or the frame after the loop end.
        EXPECT_FALSE(span.Begin < 10 && span.Begin + span.Count > 10);
        EXPECT_FALSE(span.Begin < 30 && span.Begin + span.Count > 30);
    }
    EXPECT_EQ(Frames(spans), Concat(Range(0, 30), Range(10, 50)));
}

TEST(LoopCursorTest, LoopAtTheEdgesOfTheSoundHasNoIntroOrTail) {
    LoopCursor whole(10, LoopRegion{0, 9}, 1);
    EXPECT_EQ(Walk(whole, Whole), (std::vector<FrameSpan>{{0, 10}, {0, 10}}));

    LoopCursor singleFrame(10, LoopRegion{4, 4}, 2);
    EXPECT_EQ(Frames(Walk(singleFrame, Whole)), Concat(Range(0, 5), Range(4, 5), Range(4, 10)));
}

TEST(LoopCursorTest, ChangingTheCountTakesEffectAtTheNextLoopEnd) {
    LoopCursor cursor(100, LoopRegion{20, 59}, -1);
    cursor.Next(Whole);  // intro
    cursor.Next(Whole);  // first pass of the loop; the jump back already happened
    cursor.SetLoopCount(0);
    EXPECT_EQ(Walk(cursor, Whole), (std::vector<FrameSpan>{{20, 40}, {60, 40}}));

    LoopCursor once(100, LoopRegion{20, 59}, 0);
    once.Next(Whole);
    once.SetLoopCount(1);
    EXPECT_EQ(Frames(Walk(once, Whole)), Concat(Range(20, 60), Range(20, 100)));
}

TEST(LoopCursorTest, RegionOutsideTheSoundFallsBackToTheWholeSound) {
    LoopCursor pastEnd(10, LoopRegion{2, 10}, 1);
    EXPECT_EQ(Frames(Walk(pastEnd, Whole)), Concat(Range(0, 10), Range(0, 10)));

    LoopCursor reversed(10, LoopRegion{6, 3}, 1);
    EXPECT_EQ(Frames(Walk(reversed, Whole)), Concat(Range(0, 10), Range(0, 10)));
}

TEST(LoopCursorTest, FinishEndsTheWalkEvenWhenLoopingForever) {
    LoopCursor cursor(10, LoopRegion{0, 9}, -1);
    cursor.Next(4);
    cursor.Finish();
    EXPECT_TRUE(cursor.IsFinished());
    EXPECT_EQ(cursor.Next(Whole).Count, 0u);
}

}  // namespace
