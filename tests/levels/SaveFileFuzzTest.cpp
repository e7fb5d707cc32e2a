// The loader on arbitrary bytes under the sanitizers: random files and mutations of a
// real one from a fixed seed, so every run feeds the same inputs.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"
#include "game/levels/SaveSignature.h"

namespace {

constexpr int kInputs = 6000;

TEST(SaveFileFuzzTest, ArbitraryBytesNeverReadPastTheEndAndWhatLoadsWritesBackTheSame) {
    std::mt19937 random(20261207);
    auto below = [&](size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(random); };
    SavedProgress sample;
    sample.LevelBestTimes = {{"Lvl_01", 31.25f}, {"Lvl_02", 40.0f}, {"Lvl_Boss", 88.5f}};
    sample.SoundMuted = true;
    sample.BestAntsFreed = 612;
    sample.LastLevelName = "Lvl_02";
    const std::string valid = SaveFileWriter::Encode(sample);

    int signatureMatched = 0;
    int complete = 0;
    for (int i = 0; i < kInputs; ++i) {
        std::string bytes;
        if (i % 3 == 0) {
            // Small values mostly, so that counts and flags are often almost right.
            bytes = i % 2 == 0 ? gSaveHeader + '\0' : "";
            for (size_t n = below(64); n > 0; --n) {
                bytes.push_back(static_cast<char>(below(4) == 0 ? below(256) : below(3)));
            }
        } else {
            bytes = valid;
            for (size_t edits = 1 + below(4); edits > 0 && !bytes.empty(); --edits) {
                const size_t at = below(bytes.size());
                switch (below(4)) {
                    case 0: bytes[at] = static_cast<char>(below(256)); break;
                    case 1: bytes.erase(at, 1 + below(8)); break;
                    case 2: bytes.insert(at, 1 + below(4), static_cast<char>(below(256))); break;
                    default: bytes.resize(at); break;
                }
            }
        }
        SavedProgress loaded;
        const SaveFileReader::Result result = SaveFileReader::Decode(bytes, loaded);
        signatureMatched += result.SignatureMatched ? 1 : 0;
        complete += result.Complete() ? 1 : 0;
        // A file read whole is exactly what the writer makes of what it holds.
        if (result.Complete()) {
            ASSERT_EQ(SaveFileWriter::Encode(loaded), bytes) << "input " << i;
        }
        // No count makes more entries appear than the bytes hold.
        ASSERT_LE(loaded.LevelBestTimes.size() * 5, bytes.size());
        // Whatever was read, the writer and the reader agree on.
        const std::string rewritten = SaveFileWriter::Encode(loaded);
        SavedProgress reloaded;
        ASSERT_TRUE(SaveFileReader::Decode(rewritten, reloaded).Complete()) << "input " << i;
        ASSERT_EQ(SaveFileWriter::Encode(reloaded), rewritten) << "input " << i;
    }
    // The inputs reach past the signature, and some all the way through.
    EXPECT_GT(signatureMatched, kInputs / 4);
    EXPECT_GT(complete, 0);
}

}  // namespace
