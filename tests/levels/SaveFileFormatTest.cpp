// The save file's bytes: the layout against literal bytes, and the reading of foreign,
// cut and damaged files.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <map>
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
    progress.BestPacmanScore = 1234567890;
    progress.BestSurvivalTime = 12.5f;
    progress.UseAltBackground2 = true;
    progress.LastLevelName = "Lvl_a";
    return progress;
}

const std::string kFullBytes = kSignature + "\x03\0\0\0"s +                                   // count, offset 23
                               "Lvl_B\0"s + "\0\0\x80\x3f"s + "Lvl_a\0"s + "\0\0\x20\x40"s +  // 1.0, 2.5
                               "Lvl_\xc3\xa9\0"s + "\0\0\0\x3f"s +                            // 0.5, offset 58 next
                               "\x01"s + "\0"s + "\x58\x02\0\0"s + "\xd2\x02\x96\x49"s +      // mutes, 600, 1234567890
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
        // Every best time whose name and time lie before the cut is kept, however many
        // the count promised.
        SavedProgress expected;
        for (const auto& [end, take] : parts) {
            if (end <= length) {
                take(expected);
            }
        }
        EXPECT_EQ(loaded.LevelBestTimes, expected.LevelBestTimes);
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
    const Damage damages[] = {
        {"older signature", patched(21, "4"), false, 1},
        {"longer signature", "WanderingPastTheGate!5X\0"s + kFullBytes.substr(23), false, 1},
        {"shorter signature", "WanderingPastTheGate!\0"s + kFullBytes.substr(23), false, 1},
        {"signature only", kSignature, true, 0},
        {"empty file", "", false, 1},
        {"negative count", patched(23, "\xff\xff\xff\xff"s), true, 0},
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

// The fields after the best times in kFullBytes, from offset 58.
const std::string kFullTail = kFullBytes.substr(58);

std::string Int32Bytes(uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(value >> shift));
    }
    return bytes;
}

std::string Entry(const std::string& name, float time) {
    return name + '\0' + Int32Bytes(std::bit_cast<uint32_t>(time));
}

// A record with the given count and entry bytes, then the tail.
std::string Record(uint32_t count, const std::string& entries, const std::string& tail = kFullTail) {
    return kSignature + Int32Bytes(count) + entries + tail;
}

// A flag byte is damage, but it still says which way the switch stood: the reading takes
// it as set and reads every later field.
TEST(SaveFileFormatTest, AFlagByteAboveOneReadsAsSetAndTheFieldsAfterItStillLoad) {
    struct Flag {
        const char* Field;
        size_t Offset;
        bool SavedProgress::*Value;
    };
    for (const Flag flag :
         {Flag{"SoundMuted", 58, &SavedProgress::SoundMuted}, Flag{"MusicMuted", 59, &SavedProgress::MusicMuted},
          Flag{"UseAltBackground1", 72, &SavedProgress::UseAltBackground1},
          Flag{"UseAltBackground2", 73, &SavedProgress::UseAltBackground2}}) {
        for (const char byte : {'\x02', '\xff'}) {
            SCOPED_TRACE(std::string(flag.Field) + " " + std::to_string(static_cast<uint8_t>(byte)));
            std::string bytes = kFullBytes;
            bytes[flag.Offset] = byte;
            SavedProgress loaded;
            const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
            EXPECT_FALSE(result.Complete()) << "a changed value is not read whole";
            EXPECT_EQ(result.Problem, std::string(flag.Field) + " holds " + std::to_string(static_cast<uint8_t>(byte)) +
                                          " where 0 or 1 belongs (offset " + std::to_string(flag.Offset) + ")");
            SavedProgress expected = FullProgress();
            expected.*flag.Value = true;
            EXPECT_EQ(Bytes(loaded), Bytes(expected));
        }
    }
    // Several at once are all named, in file order.
    std::string bytes = kFullBytes;
    bytes[58] = '\x07';
    bytes[72] = '\x09';
    SavedProgress loaded;
    EXPECT_EQ(SaveFileReader::Decode(bytes, loaded).Problem,
              "SoundMuted holds 7 where 0 or 1 belongs (offset 58); "
              "UseAltBackground1 holds 9 where 0 or 1 belongs (offset 72)");
    EXPECT_EQ(loaded.LastLevelName, "Lvl_a");
}

// A count above the best times present would read the fields after them as one more
// level: the reading stops taking entries where exactly those fields are left.
TEST(SaveFileFormatTest, ACountAboveTheEntriesPresentAddsNoPhantomLevel) {
    const std::string entries = kFullBytes.substr(27, 31);
    const SavedProgress full = FullProgress();
    SavedProgress emptyName = full;
    emptyName.LastLevelName = "";
    SavedProgress soundOn = full;
    soundOn.SoundMuted = false;
    struct Case {
        const char* What;
        std::string Bytes;
        SavedProgress Expected;
        std::string Problem;
    };
    const Case cases[] = {
        {"one more", Record(4, entries), full, "the count of best times (4) is more than the 3 present (offset 58)"},
        {"two more", Record(5, entries), full, "the count of best times (5) is more than the 3 present (offset 58)"},
        // Here the tail, read as entries, runs out before the count does.
        {"six more", Record(9, entries), full, "the count of best times (9) is more than the 3 present (offset 58)"},
        {"a count no file can back", Record(0x7fffffff, entries), full,
         "the count of best times (2147483647) is more than the 3 present (offset 58)"},
        {"one more, no last level", Record(4, entries, kFullTail.substr(0, 16) + '\0'), emptyName,
         "the count of best times (4) is more than the 3 present (offset 58)"},
        {"one more, sound on", Record(4, entries, '\0' + kFullTail.substr(1)), soundOn,
         "the count of best times (4) is more than the 3 present (offset 58)"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.What);
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(test.Bytes, loaded);
        EXPECT_EQ(result.Problem, test.Problem);
        EXPECT_EQ(loaded.LevelBestTimes, test.Expected.LevelBestTimes);
        EXPECT_EQ(Bytes(loaded), Bytes(test.Expected));
    }
    // A count of one on the profile that has only started a level.
    SavedProgress started;
    started.LastLevelName = "Lvl_01";
    SavedProgress loaded;
    EXPECT_FALSE(SaveFileReader::Decode(Record(1, "", std::string(16, '\0') + "Lvl_01\0"s), loaded).Complete());
    EXPECT_EQ(Bytes(loaded), Bytes(started));
}

// The writer puts the best times in ascending byte order of the names, each name once;
// any other order reads whole but would not write back the same, so it is damage.
TEST(SaveFileFormatTest, EntriesOutOfOrderOrRepeatedAreDamageAndARepeatKeepsTheBetterTime) {
    struct Case {
        const char* What;
        uint32_t Count;
        std::string Entries;
        std::map<std::string, float> Expected;
        std::string Problem;
    };
    const Case cases[] = {
        {"swapped",
         2,
         Entry("Lvl_a", 2.5f) + Entry("Lvl_B", 1.0f),
         {{"Lvl_B", 1.0f}, {"Lvl_a", 2.5f}},
         "best time 2 (\"Lvl_B\") comes before \"Lvl_a\" in byte order (offset 37)"},
        {"shorter after longer",
         2,
         Entry("Lvl_10", 9.0f) + Entry("Lvl_1", 8.0f),
         {{"Lvl_1", 8.0f}, {"Lvl_10", 9.0f}},
         "best time 2 (\"Lvl_1\") comes before \"Lvl_10\" in byte order (offset 38)"},
        {"repeat, better second",
         2,
         Entry("Lvl_B", 3.0f) + Entry("Lvl_B", 1.5f),
         {{"Lvl_B", 1.5f}},
         "best time 2 repeats the level \"Lvl_B\" (offset 37)"},
        {"repeat, better first",
         2,
         Entry("Lvl_B", 1.5f) + Entry("Lvl_B", 3.0f),
         {{"Lvl_B", 1.5f}},
         "best time 2 repeats the level \"Lvl_B\" (offset 37)"},
        // A time of 0 is no best time: it is left out before it could repeat.
        {"repeat of no time",
         2,
         Entry("Lvl_B", 0.0f) + Entry("Lvl_B", 3.0f),
         {{"Lvl_B", 3.0f}},
         "best time 1 (\"Lvl_B\") is 0 where a time above 0 and up to 100000 seconds belongs; it is left out "
         "(offset 33)"},
        {"repeat by no time",
         2,
         Entry("Lvl_B", 3.0f) + Entry("Lvl_B", 0.0f),
         {{"Lvl_B", 3.0f}},
         "best time 2 (\"Lvl_B\") is 0 where a time above 0 and up to 100000 seconds belongs; it is left out "
         "(offset 43)"},
        {"repeat apart",
         3,
         Entry("Lvl_B", 3.0f) + Entry("Lvl_a", 2.0f) + Entry("Lvl_B", 2.0f),
         {{"Lvl_B", 2.0f}, {"Lvl_a", 2.0f}},
         "best time 3 repeats the level \"Lvl_B\" (offset 47)"},
        // Past the first, the message only counts them.
        {"reversed and repeated",
         4,
         Entry("Lvl_c", 4.0f) + Entry("Lvl_b", 3.0f) + Entry("Lvl_a", 2.0f) + Entry("Lvl_a", 1.0f),
         {{"Lvl_a", 1.0f}, {"Lvl_b", 3.0f}, {"Lvl_c", 4.0f}},
         "best time 2 (\"Lvl_b\") comes before \"Lvl_c\" in byte order (offset 37); "
         "2 more best times are repeated or out of byte order (offset 47)"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.What);
        const std::string bytes = Record(test.Count, test.Entries);
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
        EXPECT_EQ(result.Problem, test.Problem);
        SavedProgress expected = FullProgress();
        expected.LevelBestTimes = test.Expected;
        EXPECT_EQ(Bytes(loaded), Bytes(expected)) << "every entry and every later field load";
    }
}

}  // namespace
