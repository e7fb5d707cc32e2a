// The loader on arbitrary bytes under the sanitizers: random files and mutations of a
// real one, from a fixed seed, so every run feeds the same inputs.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"
#include "game/levels/SaveSignature.h"

namespace {

constexpr int kInputs = 6000;
constexpr uint32_t kSeed = 20261207;

class Mutator {
public:
    Mutator() : mRandom(kSeed) {}

    std::string RandomBytes(bool withSignature) {
        std::string bytes = withSignature ? gSaveHeader + std::string(1, '\0') : std::string();
        const size_t length = Below(64);
        for (size_t i = 0; i < length; ++i) {
            // Mostly small values, so counts and flags are often almost right.
            bytes.push_back(static_cast<char>(Below(4) == 0 ? Below(256) : Below(3)));
        }
        return bytes;
    }

    std::string Mutate(std::string bytes) {
        const int edits = 1 + static_cast<int>(Below(4));
        for (int i = 0; i < edits && !bytes.empty(); ++i) {
            const size_t at = Below(bytes.size());
            switch (Below(5)) {
                case 0: bytes[at] = static_cast<char>(Below(256)); break;
                case 1: bytes.erase(at, 1 + Below(8)); break;
                case 2: bytes.insert(at, 1 + Below(4), static_cast<char>(Below(256))); break;
                case 3: bytes.resize(at); break;
                default: bytes[at] = '\0'; break;
            }
        }
        return bytes;
    }

    size_t Below(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(mRandom); }

private:
    std::mt19937 mRandom;
};

SavedProgress SampleProgress() {
    SavedProgress progress;
    progress.LevelBestTimes = {{"Lvl_01", 31.25f}, {"Lvl_02", 40.0f}, {"Lvl_Boss", 88.5f}};
    progress.SoundMuted = true;
    progress.BestAntsFreed = 612;
    progress.BestPacmanScore = 1500;
    progress.BestSurvivalTime = 75.5f;
    progress.UseAltBackground1 = true;
    progress.LastLevelName = "Lvl_02";
    return progress;
}

TEST(SaveFileFuzzTest, ArbitraryBytesNeverReadPastTheEndAndWhatLoadsWritesBackTheSame) {
    Mutator mutator;
    const std::string valid = SaveFileWriter::Encode(SampleProgress());
    int complete = 0;
    int signatureMatched = 0;
    for (int i = 0; i < kInputs; ++i) {
        const std::string bytes = i % 3 == 0 ? mutator.RandomBytes(i % 2 == 0) : mutator.Mutate(valid);
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
        complete += result.Complete() ? 1 : 0;
        signatureMatched += result.SignatureMatched ? 1 : 0;
        // An entry takes at least five bytes: no count can make more appear.
        ASSERT_LE(loaded.LevelBestTimes.size() * 5, bytes.size());
        // Whatever was read is a record the writer and reader agree on.
        const std::string rewritten = SaveFileWriter::Encode(loaded);
        SavedProgress reloaded;
        ASSERT_TRUE(SaveFileReader::Decode(rewritten, reloaded).Complete()) << "input " << i;
        ASSERT_EQ(SaveFileWriter::Encode(reloaded), rewritten) << "input " << i;
    }
    // The inputs reach past the signature and sometimes all the way through.
    EXPECT_GT(signatureMatched, kInputs / 4);
    EXPECT_GT(complete, 0);
}

}  // namespace
