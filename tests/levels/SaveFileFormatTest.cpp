// The save file's bytes: the layout against literal bytes, and the reading of foreign,
// cut and damaged files.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"

using namespace std::string_literals;

namespace {

const std::string kSignature = "WanderingPastTheGate!5\0"s;

// Every field away from its default; the best times set out of order. "Lvl_B" sorts
// before "Lvl_a", and a byte above 0x7f after both: the order is byte-wise.
SavedProgress FullProgress() {
    SavedProgress progress;
    progress.LevelBestTimes = {{"Lvl_\xc3\xa9", 0.5f}, {"Lvl_a", 2.5f}, {"Lvl_B", 1.0f}};
    progress.SoundMuted = true;
    progress.BestAntsFreed = 600;
    progress.BestPacmanScore = -2;
    progress.BestSurvivalTime = 12.5f;
    progress.UseAltBackground2 = true;
    progress.LastLevelName = "Lvl_a";
    return progress;
}

const std::string kFullBytes = kSignature + "\x03\0\0\0"s +                                   // count, offset 23
                               "Lvl_B\0"s + "\0\0\x80\x3f"s + "Lvl_a\0"s + "\0\0\x20\x40"s +  // 1.0, 2.5
                               "Lvl_\xc3\xa9\0"s + "\0\0\0\x3f"s +                            // 0.5, offset 58 next
                               "\x01"s + "\0"s + "\x58\x02\0\0"s + "\xfe\xff\xff\xff"s +      // mutes, 600, -2
                               "\0\0\x48\x41"s + "\0"s + "\x01"s + "Lvl_a\0"s;                // 12.5, backgrounds

// Compared through the writer: equal records give equal bytes.
std::string Bytes(const SavedProgress& progress) {
    return SaveFileWriter::Encode(progress);
}

TEST(SaveFileFormatTest, WritesTheRecordByteForByteAndReadsItBack) {
    EXPECT_EQ(Bytes(FullProgress()), kFullBytes);
    EXPECT_EQ(Bytes(SavedProgress()), kSignature + std::string(21, '\0'));
    EXPECT_EQ(Bytes(SavedProgress()).size(), 44u);
    SavedProgress startedOne;
    startedOne.LastLevelName = "Lvl_1";
    EXPECT_EQ(Bytes(startedOne).size(), 49u);
    EXPECT_EQ(Bytes(startedOne).substr(43), "Lvl_1\0"s);

    for (const SavedProgress& saved : {FullProgress(), SavedProgress()}) {
        SavedProgress loaded;
        loaded.LevelBestTimes["Stale"] = 3.0f;
        loaded.LastLevelName = "Stale";
        EXPECT_TRUE(SaveFileReader::Decode(Bytes(saved), loaded).Complete());
        EXPECT_EQ(Bytes(loaded), Bytes(saved));
    }
    // A name holding a NUL cannot be stored: its best time is left out, a last level stays empty.
    SavedProgress withNul = FullProgress();
    withNul.LevelBestTimes["Lvl\0X"s] = 4.0f;
    withNul.LastLevelName = "Lvl\0X"s;
    SavedProgress expected = FullProgress();
    expected.LastLevelName = "";
    EXPECT_EQ(Bytes(withNul), Bytes(expected));
}

// Cut at every length, a load keeps exactly the fields that lie whole before the cut and
// the defaults for the rest.
TEST(SaveFileFormatTest, EveryTruncationKeepsTheWholeFieldsAndTheDefaultsForTheRest) {
    const SavedProgress full = FullProgress();
    // Where each part ends, and what a load that reached it holds.
    std::vector<std::pair<size_t, std::function<void(SavedProgress&)>>> parts = {{27, [](SavedProgress&) {}}};
    for (const auto& [name, time] : full.LevelBestTimes) {
        parts.push_back(
            {parts.back().first + name.size() + 5, [&](SavedProgress& p) { p.LevelBestTimes[name] = time; }});
    }
    const size_t entriesEnd = parts.back().first;
    for (auto [size, take] : std::vector<std::pair<size_t, std::function<void(SavedProgress&)>>>{
             {1, [&](SavedProgress& p) { p.SoundMuted = full.SoundMuted; }},
             {1, [&](SavedProgress& p) { p.MusicMuted = full.MusicMuted; }},
             {4, [&](SavedProgress& p) { p.BestAntsFreed = full.BestAntsFreed; }},
             {4, [&](SavedProgress& p) { p.BestPacmanScore = full.BestPacmanScore; }},
             {4, [&](SavedProgress& p) { p.BestSurvivalTime = full.BestSurvivalTime; }},
             {1, [&](SavedProgress& p) { p.UseAltBackground1 = full.UseAltBackground1; }},
             {1, [&](SavedProgress& p) { p.UseAltBackground2 = full.UseAltBackground2; }},
             {6, [&](SavedProgress& p) { p.LastLevelName = full.LastLevelName; }}}) {
        parts.push_back({parts.back().first + size, take});
    }
    ASSERT_EQ(parts.back().first, kFullBytes.size());

    for (size_t length = 0; length <= kFullBytes.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        // A copy of exactly that size, so that the sanitizers see any read past its end.
        const std::string cut = kFullBytes.substr(0, length);
        SavedProgress loaded;
        EXPECT_EQ(SaveFileReader::Decode(cut, loaded).Complete(), length == kFullBytes.size());
        // Before the last best time ends, the count check may refuse the whole ones too.
        SavedProgress expected;
        for (const auto& [end, take] : parts) {
            if (end <= length) {
                take(expected);
            }
        }
        if (length < entriesEnd) {
            for (const auto& [name, time] : loaded.LevelBestTimes) {
                EXPECT_EQ(expected.LevelBestTimes.count(name), 1u) << name;
            }
            expected.LevelBestTimes = loaded.LevelBestTimes;
        }
        EXPECT_EQ(Bytes(loaded), Bytes(expected));
    }
}

TEST(SaveFileFormatTest, ForeignOrDamagedBytesStopTheReadingAtTheDamage) {
    struct Damage {
        const char* What;
        std::string Bytes;
        bool SignatureMatched;
        size_t EntriesKept;
    };
    auto patched = [](size_t offset, const std::string& bytes) {
        return std::string(kFullBytes).replace(offset, bytes.size(), bytes);
    };
    // A count the bytes cannot back is refused before any entry is read; one they can back
    // reads on until a read fails.
    const Damage damages[] = {
        {"older signature", patched(21, "4"), false, 1},
        {"longer signature", "WanderingPastTheGate!5X\0"s + kFullBytes.substr(23), false, 1},
        {"shorter signature", "WanderingPastTheGate!\0"s + kFullBytes.substr(23), false, 1},
        {"signature only", kSignature, true, 0},
        {"empty file", "", false, 1},
        {"huge count", patched(23, "\xff\xff\xff\x7f"s), true, 0},
        {"negative count", patched(23, "\xff\xff\xff\xff"s), true, 0},
        {"count one too many", patched(23, "\x04"s), true, 4},
        {"flag byte that is no bool", patched(58, "\x02"s), true, 3},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.What);
        SavedProgress loaded;
        loaded.LevelBestTimes["Kept"] = 1.0f;
        const SaveFileReader::Result result = SaveFileReader::Decode(damage.Bytes, loaded);
        EXPECT_EQ(result.SignatureMatched, damage.SignatureMatched);
        EXPECT_FALSE(result.Complete());
        EXPECT_EQ(loaded.LevelBestTimes.size(), damage.EntriesKept);
        EXPECT_EQ(Bytes(loaded).substr(Bytes(loaded).size() - 17), std::string(17, '\0')) << "fixed fields kept";
    }
    SavedProgress loaded;
    const SaveFileReader::Result trailing = SaveFileReader::Decode(kFullBytes + "x", loaded);
    EXPECT_NE(trailing.Problem.find("1 bytes after the last field"), std::string::npos) << trailing.Problem;
    EXPECT_EQ(loaded.LastLevelName, "Lvl_a");
}

}  // namespace
