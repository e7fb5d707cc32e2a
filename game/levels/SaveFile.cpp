#include "game/levels/SaveFile.h"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"
#include "object/AtomicFile.h"
#include "object/ContentError.h"
#include "platform/DebugPrint.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    return !error && status.type() != fs::file_type::not_found;
}

// The whole file, or nothing with the reason in problem. Reads at most one byte past
// the limit, whatever size the file claims.
std::optional<std::string> ReadCapped(const fs::path& file, size_t maxBytes, std::string& problem) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = "it cannot be opened for reading";
        return std::nullopt;
    }
    std::string bytes(maxBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        problem = "reading it failed";
        return std::nullopt;
    }
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (bytes.size() > maxBytes) {
        problem = "it is larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

SaveFile::SaveFile(fs::path file) : mFile(std::move(file)) {}

fs::path SaveFile::BackupPath() const {
    fs::path backup = mFile;
    backup += ".bak";
    return backup;
}

void SaveFile::Load(SavedProgress& progress) {
    if (!Exists(mFile)) {
        return;
    }
    std::string problem;
    const std::optional<std::string> bytes = ReadCapped(mFile, MaxBytes, problem);
    if (bytes) {
        problem = SaveFileReader::Decode(*bytes, progress).Problem;
    }
    if (!problem.empty()) {
        mNeedsBackup = true;
        Report("cannot be read whole: " + problem + "; the next save keeps it as \"" +
               BackupPath().filename().string() + "\"");
    }
}

bool SaveFile::Save(const SavedProgress& progress) {
    for (const auto& [name, time] : progress.LevelBestTimes) {
        if (!SaveFileWriter::CanStoreName(name)) {
            Report("cannot hold the best time of a level whose name contains a NUL; it is left out");
        }
    }
    if (!SaveFileWriter::CanStoreName(progress.LastLevelName)) {
        Report("cannot hold a last level name that contains a NUL; it is stored empty");
    }
    std::error_code error;
    fs::create_directories(mFile.parent_path(), error);
    if (error) {
        Report("cannot be saved: its folder cannot be created: " + error.message());
        return false;
    }
    if (mNeedsBackup && !BackUpDamagedFile()) {
        return false;
    }
    const std::string bytes = SaveFileWriter::Encode(progress);
    try {
        WriteFileAtomically(mFile, [&bytes](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
    } catch (const ContentError& failure) {
        Report("cannot be saved: " + failure.Problem());
        return false;
    }
    return true;
}

// The damaged file is kept beside: a later look may still recover what it holds.
bool SaveFile::BackUpDamagedFile() {
    if (Exists(mFile)) {
        std::error_code error;
        fs::copy_file(mFile, BackupPath(), fs::copy_options::overwrite_existing, error);
        if (error) {
            Report("is not replaced: the damaged file cannot be kept as \"" + BackupPath().filename().string() +
                   "\": " + error.message());
            return false;
        }
    }
    mNeedsBackup = false;
    return true;
}

void SaveFile::Report(const std::string& problem) const {
    DebugPrint(("Save file \"" + mFile.string() + "\" " + problem + "\n").c_str());
}
