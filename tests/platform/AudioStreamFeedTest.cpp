#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AudioTestSupport.h"
#include "platform/audio/AlDevice.h"
#include "platform/audio/AlSource.h"
#include "platform/audio/SoundFile.h"
#include "platform/audio/StreamFeed.h"

namespace {

using namespace AudioTest;

std::unique_ptr<SoundFile> OpenFile(const std::filesystem::path& path) {
    std::string error;
    std::unique_ptr<SoundFile> file = SoundFile::Open(path, error);
    EXPECT_NE(file, nullptr) << error;
    return file;
}

// A music stream repeating a loop section shorter than one refill, from a single frame
// up: a refill decodes four pieces of the stream, and reading every repeat from the file
// cost a seek each (a one-frame loop made the game crawl). After the first pass through
// the section no repeat seeks; a section longer than a piece still seeks once a repeat.
// Played, a short section repeats whole and in order.
TEST(StreamFeedTest, ALoopShorterThanARefillRepeatsWithoutASeekPerRepeat) {
    const auto path = WriteWav("short-loop.wav",
                               Pieces({{LevelA, 3000}, {LevelB, 100}, {LevelC, 100}, {LevelD, 3000}, {LevelA, 30000}}));
    std::unique_ptr<AlDevice> device = AlDevice::Open();
    ASSERT_NE(device, nullptr);
    device->MakeCurrent();

    struct Case {
        LoopRegion Loop;
        uint64_t MostSeeks;
    };
    const uint64_t piece = StreamFeed::PieceFrames;
    const Case cases[] = {
        {{500, 500}, 0},
        {{0, 1}, 0},
        {{3000, 3199}, 0},
        {{1000, 1000 + piece - 1}, 0},
        // A refill is four pieces: the section plays about four times, each after a seek.
        {{1000, 1000 + piece}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Loop.Start) + " to " + std::to_string(c.Loop.End));
        std::unique_ptr<SoundFile> file = OpenFile(path);
        ASSERT_NE(file, nullptr);
        AlSource source;
        std::unique_ptr<StreamFeed> feed = StreamFeed::Create(*file, LoopCursor(file->Format().Frames, c.Loop, -1));
        ASSERT_NE(feed, nullptr);
        feed->Refill(source);
        EXPECT_LE(file->SeekCount(), c.MostSeeks);
        EXPECT_FALSE(feed->IsDrained());
    }

    std::unique_ptr<SoundFile> file = OpenFile(path);
    ASSERT_NE(file, nullptr);
    {
        AlSource source;
        std::unique_ptr<StreamFeed> feed =
            StreamFeed::Create(*file, LoopCursor(file->Format().Frames, LoopRegion{3000, 3199}, -1));
        ASSERT_NE(feed, nullptr);
        feed->Refill(source);
        source.Play();
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        while (std::chrono::steady_clock::now() < end) {
            feed->Refill(source);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        source.Rewind();
    }
    EXPECT_EQ(file->SeekCount(), 0u);
    device.reset();

    std::vector<LevelRun> runs = SoundingRuns(ReadOutput());
    ASSERT_GE(runs.size(), 20u) << Describe(runs);
    runs.pop_back();  // cut off by the stop
    EXPECT_EQ(runs[0], (LevelRun{'A', 3000}));
    for (size_t i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i], (i % 2 == 1 ? LevelRun{'B', 100} : LevelRun{'C', 100}))
            << "run " << i << ": " << Describe(runs);
    }
}

}  // namespace
