#include "game/levels/SaveFile.h"

#include <ostream>
#include <string>
#include <system_error>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"
#include "object/AtomicFile.h"
#include "object/ContentError.h"
#include "object/ReadableFile.h"
#include "platform/DebugPrint.h"

namespace fs = std::filesystem;

SaveFile::SaveFile(fs::path file) : mFile(std::move(file)) {}

fs::path SaveFile::BackupPath() const {
    fs::path backup = mFile;
    backup += ".bak";
    return backup;
}

void SaveFile::Load(SavedProgress& progress) {
    ReadableFile file(mFile);
    if (file.IsMissing()) {
        return;
    }
    std::string bytes;
    std::string problem;
    if (file.ReadAll(bytes, MaxBytes)) {
        problem = SaveFileReader::Decode(bytes, progress).Problem;
    } else if (file.IsNotAFile()) {
        // A FIFO, a folder or a device holds no progress to keep.
        Report("cannot be read: " + file.Problem() + "; no progress is read from it");
        return;
    } else {
        problem = file.Problem();
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

// The damaged file is kept beside: a later look may still recover what it holds. The
// copy is staged and put in place like the save, so one that fails (a full disk)
// leaves an earlier copy whole, and a link at the copy's name is replaced, not written
// through.
bool SaveFile::BackUpDamagedFile() {
    ReadableFile damaged(mFile);
    std::string problem;
    if (damaged.IsOpen()) {
        try {
            WriteFileAtomically(BackupPath(), [this, &damaged](std::ostream& out) {
                if (!damaged.CopyTo(out) && out) {
                    throw ContentError(mFile, damaged.Problem());
                }
            });
        } catch (const ContentError& failure) {
            problem = failure.Problem();
        }
    } else if (!damaged.IsMissing() && !damaged.IsNotAFile()) {
        problem = damaged.Problem();
    }
    if (!problem.empty()) {
        Report("is not replaced: the damaged file cannot be kept as \"" + BackupPath().filename().string() +
               "\": " + problem);
        return false;
    }
    // Gone, or no longer a file: there is nothing in it to keep.
    mNeedsBackup = false;
    return true;
}

void SaveFile::Report(const std::string& problem) const {
    DebugPrint(("Save file \"" + mFile.string() + "\" " + problem + "\n").c_str());
}
