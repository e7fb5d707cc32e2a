// The save file's bytes: the layout against literal bytes, and reading of every kind of
// damaged file without reading past its end.

#include <gtest/gtest.h>

#include <string>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"

using namespace std::string_literals;

namespace {

const std::string kSignature = "WanderingPastTheGate!5\0"s;

// Every field away from its default; best times set out of name order. "Lvl_B" sorts
// before "Lvl_a" and a byte above 0x7f after both: the order is byte-wise.
SavedProgress FullProgress() {
    SavedProgress progress;
    progress.LevelBestTimes["Lvl_\xc3\xa9"] = 0.5f;
    progress.LevelBestTimes["Lvl_a"] = 2.5f;
    progress.LevelBestTimes["Lvl_B"] = 1.0f;
    progress.SoundMuted = true;
    progress.MusicMuted = false;
    progress.BestAntsFreed = 600;
    progress.BestPacmanScore = -2;
    progress.BestSurvivalTime = 12.5f;
    progress.UseAltBackground1 = false;
    progress.UseAltBackground2 = true;
    progress.LastLevelName = "Lvl_a";
    return progress;
}

const std::string kFullBytes = kSignature + "\x03\0\0\0"s +  // count at offset 23
                               "Lvl_B\0"s + "\0\0\x80\x3f"s +     // 1.0f
                               "Lvl_a\0"s + "\0\0\x20\x40"s +     // 2.5f
                               "Lvl_\xc3\xa9\0"s + "\0\0\0\x3f"s +  // 0.5f
                               "\x01"s + "\0"s +                  // sound, music
                               "\x58\x02\0\0"s +                  // 600
                               "\xfe\xff\xff\xff"s +              // -2
                               "\0\0\x48\x41"s +                  // 12.5f
                               "\0"s + "\x01"s +                  // backgrounds
                               "Lvl_a\0"s;

void ExpectSameProgress(const SavedProgress& actual, const SavedProgress& expected) {
    EXPECT_EQ(actual.LevelBestTimes, expected.LevelBestTimes);
    EXPECT_EQ(actual.SoundMuted, expected.SoundMuted);
    EXPECT_EQ(actual.MusicMuted, expected.MusicMuted);
    EXPECT_EQ(actual.BestAntsFreed, expected.BestAntsFreed);
    EXPECT_EQ(actual.BestPacmanScore, expected.BestPacmanScore);
    EXPECT_EQ(actual.BestSurvivalTime, expected.BestSurvivalTime);
    EXPECT_EQ(actual.UseAltBackground1, expected.UseAltBackground1);
    EXPECT_EQ(actual.UseAltBackground2, expected.UseAltBackground2);
    EXPECT_EQ(actual.LastLevelName, expected.LastLevelName);
}

TEST(SaveFileFormatTest, WritesTheRecordByteForByte) {
    EXPECT_EQ(SaveFileWriter::Encode(FullProgress()), kFullBytes);

    const std::string empty = SaveFileWriter::Encode(SavedProgress());
    EXPECT_EQ(empty.size(), 44u);
    EXPECT_EQ(empty, kSignature + std::string(21, '\0'));

    SavedProgress startedOne;
    startedOne.LastLevelName = "Lvl_1";
    const std::string started = SaveFileWriter::Encode(startedOne);
    EXPECT_EQ(started.size(), 49u);
    EXPECT_EQ(started.substr(43), "Lvl_1\0"s);
}

TEST(SaveFileFormatTest, ReadsBackEveryFieldOfWhatItWrote) {
    for (const SavedProgress& saved : {FullProgress(), SavedProgress()}) {
        SavedProgress loaded;
        loaded.LastLevelName = "stale";
        loaded.LevelBestTimes["stale"] = 3.0f;
        const SaveFileReader::Result result = SaveFileReader::Decode(SaveFileWriter::Encode(saved), loaded);
        EXPECT_TRUE(result.Complete()) << result.Problem;
        ExpectSameProgress(loaded, saved);
    }
    // A repeated name keeps its last time.
    const std::string twice = kSignature + "\x02\0\0\0"s + "A\0"s + "\0\0\x80\x3f"s + "A\0"s + "\0\0\x20\x40"s +
                              std::string(17, '\0');
    SavedProgress loaded;
    EXPECT_TRUE(SaveFileReader::Decode(twice, loaded).Complete());
    EXPECT_EQ(loaded.LevelBestTimes, (std::map<std::string, float>{{"A", 2.5f}}));
}

TEST(SaveFileFormatTest, AForeignSignatureChangesNothing) {
    const std::string foreign[] = {
        "WanderingPastTheGate!4\0"s + kFullBytes.substr(23),
        // Longer and shorter texts before the first NUL are not the signature either.
        "WanderingPastTheGate!5X\0"s + kFullBytes.substr(23),
        "WanderingPastTheGate!\0"s + kFullBytes.substr(23),
        "WanderingPastTheGate!5"s,
        ""s,
    };
    for (const std::string& bytes : foreign) {
        SavedProgress loaded;
        loaded.LevelBestTimes["Kept"] = 1.0f;
        loaded.BestAntsFreed = 9;
        const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
        EXPECT_FALSE(result.SignatureMatched);
        EXPECT_FALSE(result.Complete());
        EXPECT_EQ(loaded.LevelBestTimes.count("Kept"), 1u);
        EXPECT_EQ(loaded.BestAntsFreed, 9);
    }
}

// Cut at every length, the load keeps exactly the fields that lie whole before the cut
// and the defaults for the rest.
TEST(SaveFileFormatTest, EveryTruncationKeepsTheWholeFieldsAndTheDefaultsForTheRest) {
    const SavedProgress full = FullProgress();
    // Where each entry and each fixed field ends, from the layout.
    std::vector<size_t> entryEnds;
    size_t offset = 27;
    for (const auto& [name, time] : full.LevelBestTimes) {
        offset += name.size() + 1 + 4;
        entryEnds.push_back(offset);
    }
    const size_t soundEnd = offset + 1, musicEnd = offset + 2, antsEnd = offset + 6, pacmanEnd = offset + 10,
                 survivalEnd = offset + 14, alt1End = offset + 15, alt2End = offset + 16;
    ASSERT_EQ(alt2End + full.LastLevelName.size() + 1, kFullBytes.size());

    for (size_t length = 0; length <= kFullBytes.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        // A copy of exactly that size, so the sanitizers see a read past its end.
        const std::string cut = kFullBytes.substr(0, length);
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(cut, loaded);
        EXPECT_EQ(result.Complete(), length == kFullBytes.size());

        // Only whole entries, in file order.
        size_t entries = 0;
        for (const auto& [name, time] : full.LevelBestTimes) {
            if (loaded.LevelBestTimes.count(name) == 0) {
                break;
            }
            EXPECT_EQ(loaded.LevelBestTimes.at(name), time);
            EXPECT_LE(entryEnds[entries], length);
            ++entries;
        }
        EXPECT_EQ(entries, loaded.LevelBestTimes.size());
        const bool allEntries = entries == full.LevelBestTimes.size();
        EXPECT_EQ(allEntries, length >= entryEnds.back());

        const SavedProgress defaults;
        auto reached = [&](size_t end) { return allEntries && length >= end; };
        EXPECT_EQ(loaded.SoundMuted, reached(soundEnd) ? full.SoundMuted : defaults.SoundMuted);
        EXPECT_EQ(loaded.MusicMuted, reached(musicEnd) ? full.MusicMuted : defaults.MusicMuted);
        EXPECT_EQ(loaded.BestAntsFreed, reached(antsEnd) ? full.BestAntsFreed : defaults.BestAntsFreed);
        EXPECT_EQ(loaded.BestPacmanScore, reached(pacmanEnd) ? full.BestPacmanScore : defaults.BestPacmanScore);
        EXPECT_EQ(loaded.BestSurvivalTime, reached(survivalEnd) ? full.BestSurvivalTime : defaults.BestSurvivalTime);
        EXPECT_EQ(loaded.UseAltBackground1, reached(alt1End) ? full.UseAltBackground1 : defaults.UseAltBackground1);
        EXPECT_EQ(loaded.UseAltBackground2, reached(alt2End) ? full.UseAltBackground2 : defaults.UseAltBackground2);
        EXPECT_EQ(loaded.LastLevelName, length == kFullBytes.size() ? full.LastLevelName : "");
    }
}

TEST(SaveFileFormatTest, ACountTheBytesCannotBackAndOtherDamageStopTheReading) {
    struct Damage {
        const char* What;
        size_t Offset;
        std::string Bytes;
        size_t EntriesKept;
    };
    // A count the bytes cannot back is refused before any entry is read; one they can
    // back reads on until the reading fails.
    const Damage damages[] = {
        {"huge count", 23, "\xff\xff\xff\x7f"s, 0},
        {"negative count", 23, "\xff\xff\xff\xff"s, 0},
        {"count one too many", 23, "\x04\0\0\0"s, 4},
        {"flag byte that is no bool", 58, "\x02"s, 3},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.What);
        std::string bytes = kFullBytes;
        bytes.replace(damage.Offset, damage.Bytes.size(), damage.Bytes);
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
        EXPECT_TRUE(result.SignatureMatched);
        EXPECT_FALSE(result.Complete());
        EXPECT_EQ(loaded.LevelBestTimes.size(), damage.EntriesKept);
        EXPECT_FALSE(loaded.SoundMuted);
        EXPECT_EQ(loaded.BestAntsFreed, 0);
        EXPECT_EQ(loaded.LastLevelName, "");
    }
    SavedProgress loaded;
    const SaveFileReader::Result trailing = SaveFileReader::Decode(kFullBytes + "x", loaded);
    EXPECT_NE(trailing.Problem.find("1 bytes after the last field"), std::string::npos) << trailing.Problem;
    EXPECT_EQ(loaded.LastLevelName, "Lvl_a");
}

TEST(SaveFileFormatTest, NamesHoldingANulAreLeftOutOfTheFile) {
    SavedProgress progress = FullProgress();
    progress.LevelBestTimes["Lvl\0X"s] = 4.0f;
    progress.LastLevelName = "Lvl\0X"s;
    SavedProgress loaded;
    EXPECT_TRUE(SaveFileReader::Decode(SaveFileWriter::Encode(progress), loaded).Complete());
    EXPECT_EQ(loaded.LevelBestTimes, FullProgress().LevelBestTimes);
    EXPECT_EQ(loaded.LastLevelName, "");
}

}  // namespace
