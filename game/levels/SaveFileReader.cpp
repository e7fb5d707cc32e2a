#include "game/levels/SaveFileReader.h"

#include <cmath>
#include <vector>

#include "game/levels/ByteReader.h"
#include "game/levels/SaveSignature.h"
#include "object/NumberText.h"

namespace {

// The seven fields after the best times, then the last level's name with its NUL.
constexpr size_t kFixedFieldBytes = 1 + 1 + 4 + 4 + 4 + 1 + 1;
constexpr size_t kSmallestTailBytes = kFixedFieldBytes + 1;
// Where the four flags lie among the fixed fields.
constexpr size_t kTailFlagOffsets[] = {0, 1, 14, 15};

// Whether the bytes from offset on are exactly the fields after the best times: flags of
// 0 or 1 in their places and a last level name that ends at the file's last byte.
bool IsWholeTail(std::string_view bytes, size_t offset) {
    if (bytes.size() < offset + kSmallestTailBytes) {
        return false;
    }
    for (const size_t flag : kTailFlagOffsets) {
        if (static_cast<uint8_t>(bytes[offset + flag]) > 1) {
            return false;
        }
    }
    return bytes.find('\0', offset + kFixedFieldBytes) == bytes.size() - 1;
}

// No play gives a best time of 0 or less, or one that is not a number; and a time past
// this is a record no player makes, while the map's box shows it no longer whole.
constexpr float kLongestTime = 100000.0f;

bool IsPlayableBestTime(float time) {
    return std::isfinite(time) && time > 0.0f && time <= kLongestTime;
}

// A survival time of 0 is no time yet.
bool IsPlayableSurvivalTime(float time) {
    return std::isfinite(time) && time >= 0.0f && time <= kLongestTime;
}

// One read of the record each. Damage that leaves the layout clear is noted and the
// reading goes on; a read that fails notes why and stops the reading.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : mBytes(bytes), mIn(bytes) {}

    bool Signature() {
        Begin();
        std::string_view signature;
        // Exactly the signature and its NUL: a longer or shorter text is foreign.
        if (!mIn.ReadBytes(gSaveHeader.size() + 1, signature) ||
            signature != std::string_view(gSaveHeader.c_str(), gSaveHeader.size() + 1)) {
            return Fail("it does not start with the signature \"" + gSaveHeader + "\"");
        }
        return true;
    }

    bool BestTimes(std::map<std::string, float>& times) {
        Begin();
        int32_t count = 0;
        if (!mIn.ReadInt32(count)) {
            return Fail("it ends before the count of best times");
        }
        if (count < 0) {
            return Fail("the count of best times is negative (" + std::to_string(count) + ")");
        }
        const std::string total = std::to_string(count);
        std::vector<Entry> entries;
        const bool allRead = ReadEntries(count, entries);
        const size_t stoppedAt = mFieldOffset;
        const bool countTooHigh =
            !(allRead && IsWholeTail(mBytes, mIn.Offset())) && DropEntriesReadFromTheTail(entries);
        LeaveOutImpossibleTimes(entries);
        // Entries read before the file ends are kept: a cut file loses only what is cut.
        Take(entries, times);
        if (countTooHigh) {
            Begin();
            Note("the count of best times (" + total + ") is more than the " + std::to_string(entries.size()) +
                 " present");
            return true;
        }
        if (!allRead) {
            mFieldOffset = stoppedAt;
            return Fail("it ends inside best time " + std::to_string(entries.size() + 1) + " of " + total);
        }
        return true;
    }

    // Any byte but 0 reads as set: the switch was on, whatever else went wrong.
    bool Flag(const char* field, bool& value) {
        Begin();
        uint8_t byte = 0;
        if (!mIn.ReadU8(byte)) {
            return Fail(std::string("it ends before ") + field);
        }
        if (byte > 1) {
            Note(std::string(field) + " holds " + std::to_string(byte) + " where 0 or 1 belongs");
        }
        value = byte != 0;
        return true;
    }

    // A negative count is damage: it is told and the field keeps its value.
    bool Count(const char* field, int32_t& value) {
        Begin();
        int32_t count = 0;
        if (!mIn.ReadInt32(count)) {
            return Fail(std::string("it ends before ") + field);
        }
        if (count < 0) {
            Note(std::string(field) + " is " + std::to_string(count) +
                 " where a count of 0 or more belongs; it is left out");
        } else {
            value = count;
        }
        return true;
    }

    // A time no play gives is damage: it is told and the field keeps its value.
    bool SurvivalTime(const char* field, float& value) {
        Begin();
        float time = 0.0f;
        if (!mIn.ReadFloat(time)) {
            return Fail(std::string("it ends before ") + field);
        }
        if (!IsPlayableSurvivalTime(time)) {
            Note(std::string(field) + " is " + FloatToText(time) + " where a time of 0 to " +
                 FloatToText(kLongestTime) + " seconds belongs; it is left out");
        } else {
            value = time;
        }
        return true;
    }

    bool Text(const char* field, std::string& value) {
        Begin();
        return mIn.ReadNulString(value) || Fail(std::string("it ends inside ") + field);
    }

    bool End() {
        Begin();
        return mIn.Remaining() == 0 ||
               Fail("it goes on for " + std::to_string(mIn.Remaining()) + " bytes after the last field");
    }

    // Every problem met, in file order, each with the offset of its field.
    std::string Problem;

private:
    struct Entry {
        std::string Name;
        float Time = 0.0f;
        size_t Offset = 0;
        size_t TimeOffset = 0;
        // 1-based place in the file, for messages.
        size_t Number = 0;
    };

    // False, with the field offset at the entry, when the file ends inside one. Each
    // entry takes at least 5 bytes (an empty name's NUL, the time), so a count the file
    // cannot back ends the loop at the file's end, with every entry before it kept.
    bool ReadEntries(int32_t count, std::vector<Entry>& entries) {
        for (int32_t i = 0; i < count; ++i) {
            Begin();
            Entry entry;
            entry.Number = entries.size() + 1;
            entry.Offset = mIn.Offset();
            if (!mIn.ReadNulString(entry.Name)) {
                return false;
            }
            entry.TimeOffset = mIn.Offset();
            if (!mIn.ReadFloat(entry.Time)) {
                return false;
            }
            entries.push_back(std::move(entry));
        }
        return true;
    }

    // A count above the entries present reads the fields after them as more levels. When
    // those fields start where an entry does, that entry and the ones after it are
    // dropped and the reading goes back to read the fields; true when it did.
    bool DropEntriesReadFromTheTail(std::vector<Entry>& entries) {
        for (size_t present = entries.size(); present-- > 0;) {
            if (IsWholeTail(mBytes, entries[present].Offset)) {
                mIn.Rewind(entries[present].Offset);
                entries.resize(present);
                return true;
            }
        }
        return false;
    }

    // A best time that no play gives is told and its level left out, as if never
    // completed. A file full of them has the first few named and the rest counted.
    void LeaveOutImpossibleTimes(std::vector<Entry>& entries) {
        constexpr size_t kNamed = 8;
        size_t impossible = 0;
        size_t firstCountedOffset = 0;
        for (const Entry& entry : entries) {
            if (IsPlayableBestTime(entry.Time)) {
                continue;
            }
            ++impossible;
            if (impossible <= kNamed) {
                mFieldOffset = entry.TimeOffset;
                Note("best time " + std::to_string(entry.Number) + " (" + Quoted(entry.Name) + ") is " +
                     FloatToText(entry.Time) + " where a time above 0 and up to " + FloatToText(kLongestTime) +
                     " seconds belongs; it is left out");
            } else if (impossible == kNamed + 1) {
                firstCountedOffset = entry.TimeOffset;
            }
        }
        if (impossible > kNamed) {
            mFieldOffset = firstCountedOffset;
            Note(std::to_string(impossible - kNamed) + " more best times are impossible and left out");
        }
        std::erase_if(entries, [](const Entry& entry) { return !IsPlayableBestTime(entry.Time); });
    }

    // The writer puts each name once, in byte order; anything else is not what it wrote.
    // The first such entry is named, the rest only counted.
    void Take(const std::vector<Entry>& entries, std::map<std::string, float>& times) {
        size_t misplaced = 0;
        size_t firstMoreOffset = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            const auto [slot, added] = times.emplace(entry.Name, entry.Time);
            // Only times that play gives come here: the shorter is the better.
            if (!added && entry.Time < slot->second) {
                slot->second = entry.Time;
            }
            if (added && (i == 0 || entries[i - 1].Name < entry.Name)) {
                continue;
            }
            ++misplaced;
            if (misplaced == 1) {
                mFieldOffset = entry.Offset;
                const std::string which = "best time " + std::to_string(entry.Number);
                Note(!added ? which + " repeats the level " + Quoted(entry.Name)
                            : which + " (" + Quoted(entry.Name) + ") comes before " + Quoted(entries[i - 1].Name) +
                                  " in byte order");
            } else if (misplaced == 2) {
                firstMoreOffset = entry.Offset;
            }
        }
        if (misplaced > 1) {
            mFieldOffset = firstMoreOffset;
            Note(std::to_string(misplaced - 1) + " more best times are repeated or out of byte order");
        }
    }

    // A damaged name can be long and anything: a message shows its start.
    static std::string Quoted(const std::string& name) {
        constexpr size_t kShown = 40;
        return "\"" + (name.size() > kShown ? name.substr(0, kShown) + "..." : name) + "\"";
    }

    void Begin() { mFieldOffset = mIn.Offset(); }

    void Note(const std::string& problem) {
        Problem += (Problem.empty() ? "" : "; ") + problem + " (offset " + std::to_string(mFieldOffset) + ")";
    }

    bool Fail(const std::string& problem) {
        Note(problem);
        return false;
    }

    std::string_view mBytes;
    ByteReader mIn;
    size_t mFieldOffset = 0;
};

// Stops at the first failure: what follows it keeps its value.
bool ReadFields(RecordReader& in, SavedProgress& progress) {
    return in.BestTimes(progress.LevelBestTimes) && in.Flag("SoundMuted", progress.SoundMuted) &&
           in.Flag("MusicMuted", progress.MusicMuted) && in.Count("BestAntsFreed", progress.BestAntsFreed) &&
           in.Count("BestPacmanScore", progress.BestPacmanScore) &&
           in.SurvivalTime("BestSurvivalTime", progress.BestSurvivalTime) &&
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
