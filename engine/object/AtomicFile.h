#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <set>
#include <string>

// A file written whole into a temporary file beside it (the name with ".tmp" appended)
// and forced to the disk, waiting to take the file's place. Several files can be staged
// before any of them replaces its old one, so that a crash while they are written
// leaves every old file as it was. A staged file dropped before it is put in place
// removes its temporary file. The temporary file is always made anew: whatever stands
// at its name is removed first and it is created exclusively, so a link left there is
// never written through and a FIFO never waited on.
class StagedFile {
public:
    // When writing fails the temporary file is removed: an exception from write()
    // passes through unchanged, and a stream or sync failure raises ContentError naming
    // the file.
    StagedFile(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);
    StagedFile(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile& operator=(StagedFile&&) = delete;
    ~StagedFile();

    // Renames the temporary file over the file and forces the folder to the disk, so a
    // crash or a power cut leaves either the old file or the new one, never a truncated
    // or empty one. A rename or sync failure raises ContentError naming the file.
    void PutInPlace();

    // After a failed PutInPlace the temporary file may hold the only copy of its text:
    // it stays on disk for good. Its name; empty when the file is in place already.
    std::filesystem::path KeepTemporary();

    const std::filesystem::path& File() const { return mFile; }

private:
    std::filesystem::path mFile;
    // Empty once the file is in place (or moved to another StagedFile).
    std::filesystem::path mTemporary;
};

// Stages the file and puts it in place at once.
void WriteFileAtomically(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);

// The temporary file a write of file stages: "<file>.tmp".
std::filesystem::path TemporaryFileOf(const std::filesystem::path& file);

// Forces the folder (its renames and deletions) to the disk; empty when that worked,
// else why not.
std::string SyncFolderToDisk(const std::filesystem::path& folder);

// Removes the temporary files ("<name>.tmp") that writes cut short left in folder,
// except the file names in keep; how many went. Anything at such a name goes, a link
// (not what it points at), a FIFO or an empty folder as well as a file. One that cannot
// go stays quietly: it replaces nothing, and the next write in its place says why.
int RemoveStrayTemporaries(const std::filesystem::path& folder, const std::set<std::string>& keep = {});

// How a written file or folder is forced to the disk (fsync), how a temporary file's
// bytes are written (write), and how saves rename and delete files (rename, remove);
// tests watch them, and fill the disk.
extern int (*gSyncToDisk)(int descriptor);
extern ssize_t (*gWriteToFile)(int descriptor, const void* bytes, size_t count);
extern int (*gRenameFile)(const char* from, const char* to);
extern int (*gRemoveFile)(const char* file);
