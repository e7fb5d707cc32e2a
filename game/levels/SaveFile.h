#pragma once

#include <cstddef>
#include <filesystem>

#include "game/levels/SavedProgress.h"

// The save file on disk. A save writes "<file>.tmp" beside it and renames that over the
// file, so a crash or a full disk leaves the previous save whole. A file that a load
// finds damaged is copied to "<file>.bak" the same way before the next save replaces
// it. Only a regular file is read (see ReadableFile). Problems are reported on standard
// error, naming the file; none is thrown.
class SaveFile {
public:
    // Far beyond any real save; a bigger file is taken for damaged, not read whole.
    static constexpr size_t MaxBytes = 1 << 20;

    explicit SaveFile(std::filesystem::path file);

    // Reads the file into progress. A missing file changes nothing; a damaged one gives
    // what could be read (see SaveFileReader) and leaves the rest alone.
    void Load(SavedProgress& progress);
    // Replaces the file with progress; false (and the previous file kept) on failure.
    bool Save(const SavedProgress& progress);

    const std::filesystem::path& Path() const { return mFile; }
    std::filesystem::path BackupPath() const;
    // Whether the last load found a file it could not read whole, not yet backed up.
    bool NeedsBackup() const { return mNeedsBackup; }

private:
    bool BackUpDamagedFile();
    void Report(const std::string& problem) const;

    std::filesystem::path mFile;
    bool mNeedsBackup = false;
};
