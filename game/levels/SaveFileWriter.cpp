#include "game/levels/SaveFileWriter.h"

#include "game/levels/ByteWriter.h"
#include "game/levels/SaveSignature.h"

bool SaveFileWriter::CanStoreName(std::string_view name) {
    return name.find('\0') == std::string_view::npos;
}

std::string SaveFileWriter::Encode(const SavedProgress& progress) {
    ByteWriter out;
    out.PutNulString(gSaveHeader);
    int32_t count = 0;
    for (const auto& [name, time] : progress.LevelBestTimes) {
        count += CanStoreName(name) ? 1 : 0;
    }
    out.PutInt32(count);
    // The map's order is byte-wise, the order the file wants.
    for (const auto& [name, time] : progress.LevelBestTimes) {
        if (CanStoreName(name)) {
            out.PutNulString(name);
            out.PutFloat(time);
        }
    }
    out.PutU8(progress.SoundMuted ? 1 : 0);
    out.PutU8(progress.MusicMuted ? 1 : 0);
    out.PutInt32(progress.BestAntsFreed);
    out.PutInt32(progress.BestPacmanScore);
    out.PutFloat(progress.BestSurvivalTime);
    out.PutU8(progress.UseAltBackground1 ? 1 : 0);
    out.PutU8(progress.UseAltBackground2 ? 1 : 0);
    out.PutNulString(CanStoreName(progress.LastLevelName) ? progress.LastLevelName : std::string());
    return out.Bytes();
}
