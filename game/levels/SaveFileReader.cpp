#include "game/levels/SaveFileReader.h"

#include "game/levels/ByteReader.h"
#include "game/levels/SaveSignature.h"

namespace {

// The smallest entry: an empty name's NUL, then the time.
constexpr size_t kSmallestEntryBytes = 1 + 4;

// One read of the record each; the first failure is kept and every read after it fails.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : mIn(bytes) {}

    bool Signature() {
        std::string_view signature;
        // Exactly the signature and its NUL: a longer or shorter text is foreign.
        if (!mIn.ReadBytes(gSaveHeader.size() + 1, signature) ||
            signature != std::string_view(gSaveHeader.c_str(), gSaveHeader.size() + 1)) {
            return Fail("it does not start with the signature \"" + gSaveHeader + "\"");
        }
        return true;
    }

    bool BestTimes(std::map<std::string, float>& times) {
        int32_t count = 0;
        if (!mIn.ReadInt32(count)) {
            return Fail("it ends before the count of best times");
        }
        if (count < 0) {
            return Fail("the count of best times is negative (" + std::to_string(count) + ")");
        }
        // Checked before the loop, so a damaged count never makes it spin.
        if (static_cast<size_t>(count) > mIn.Remaining() / kSmallestEntryBytes) {
            return Fail("the count of best times (" + std::to_string(count) + ") is more than the " +
                        std::to_string(mIn.Remaining()) + " bytes left can hold");
        }
        for (int32_t i = 0; i < count; ++i) {
            std::string name;
            float time = 0.0f;
            if (!mIn.ReadNulString(name) || !mIn.ReadFloat(time)) {
                return Fail("it ends inside best time " + std::to_string(i + 1) + " of " + std::to_string(count));
            }
            times[name] = time;
        }
        return true;
    }

    bool Flag(const char* field, bool& value) {
        uint8_t byte = 0;
        if (!mIn.ReadU8(byte)) {
            return Fail(std::string("it ends before ") + field);
        }
        if (byte > 1) {
            return Fail(std::string(field) + " holds " + std::to_string(byte) + " where 0 or 1 belongs");
        }
        value = byte == 1;
        return true;
    }

    bool Int(const char* field, int32_t& value) {
        return mIn.ReadInt32(value) || Fail(std::string("it ends before ") + field);
    }

    bool Float(const char* field, float& value) {
        return mIn.ReadFloat(value) || Fail(std::string("it ends before ") + field);
    }

    bool Text(const char* field, std::string& value) {
        return mIn.ReadNulString(value) || Fail(std::string("it ends inside ") + field);
    }

    bool End() {
        return mIn.Remaining() == 0 ||
               Fail("it goes on for " + std::to_string(mIn.Remaining()) + " bytes after the last field");
    }

    std::string Problem;

private:
    bool Fail(const std::string& problem) {
        Problem = problem + " (byte " + std::to_string(mIn.Offset()) + ")";
        return false;
    }

    ByteReader mIn;
};

// Stops at the first failure: what follows it keeps its value.
bool ReadFields(RecordReader& in, SavedProgress& progress) {
    return in.BestTimes(progress.LevelBestTimes) && in.Flag("SoundMuted", progress.SoundMuted) &&
           in.Flag("MusicMuted", progress.MusicMuted) && in.Int("BestAntsFreed", progress.BestAntsFreed) &&
           in.Int("BestPacmanScore", progress.BestPacmanScore) &&
           in.Float("BestSurvivalTime", progress.BestSurvivalTime) &&
           in.Flag("UseAltBackground1", progress.UseAltBackground1) &&
           in.Flag("UseAltBackground2", progress.UseAltBackground2) &&
           in.Text("LastLevelName", progress.LastLevelName) && in.End();
}

}  // namespace

SaveFileReader::Result SaveFileReader::Decode(std::string_view bytes, SavedProgress& progress) {
    RecordReader in(bytes);
    Result result;
    result.SignatureMatched = in.Signature();
    if (result.SignatureMatched) {
        progress.LevelBestTimes.clear();
        ReadFields(in, progress);
    }
    result.Problem = in.Problem;
    return result;
}
