#include "object/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

#include "object/ContentError.h"

int (*gSyncToDisk)(int descriptor) = fsync;
int (*gRenameFile)(const char* from, const char* to) = ::rename;
int (*gRemoveFile)(const char* file) = ::remove;

namespace {

const char* const kTemporarySuffix = ".tmp";

// An empty string when the file or folder reached the disk, else why not.
std::string SyncPath(const std::filesystem::path& path, int flags) {
    const int descriptor = open(path.c_str(), flags | O_CLOEXEC);
    if (descriptor < 0) {
        return std::strerror(errno);
    }
    const bool synced = gSyncToDisk(descriptor) == 0;
    const int syncError = errno;
    close(descriptor);
    return synced ? std::string() : std::strerror(syncError);
}

void RemoveQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

void WriteWhole(const std::filesystem::path& file, const std::filesystem::path& temporary,
                const std::function<void(std::ostream&)>& write) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw ContentError(file, "cannot open '" + temporary.generic_string() + "' for writing");
    }
    write(out);
    out.close();
    if (!out) {
        throw ContentError(file, "writing '" + temporary.generic_string() + "' failed");
    }
    // Otherwise a power cut after the rename can leave the new name on an empty file.
    if (const std::string error = SyncPath(temporary, O_RDONLY); !error.empty()) {
        throw ContentError(file, "cannot force '" + temporary.generic_string() + "' to the disk: " + error);
    }
}

}  // namespace

StagedFile::StagedFile(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write)
    : mFile(file), mTemporary(TemporaryFileOf(file)) {
    // A half-written temporary file must not stay behind; the destructor of an object
    // whose constructor throws does not run.
    try {
        WriteWhole(mFile, mTemporary, write);
    } catch (...) {
        RemoveQuietly(mTemporary);
        throw;
    }
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : mFile(std::move(other.mFile)), mTemporary(std::move(other.mTemporary)) {
    other.mTemporary.clear();
}

StagedFile::~StagedFile() {
    if (!mTemporary.empty()) {
        RemoveQuietly(mTemporary);
    }
}

void StagedFile::PutInPlace() {
    if (gRenameFile(mTemporary.c_str(), mFile.c_str()) != 0) {
        throw ContentError(mFile, std::string("cannot replace the file: ") + std::strerror(errno));
    }
    mTemporary.clear();
    // The rename itself lives in the folder.
    const std::filesystem::path folder = mFile.has_parent_path() ? mFile.parent_path() : std::filesystem::path(".");
    if (const std::string failure = SyncFolderToDisk(folder); !failure.empty()) {
        throw ContentError(mFile, "cannot force the folder '" + folder.generic_string() + "' to the disk: " + failure);
    }
}

std::filesystem::path StagedFile::KeepTemporary() {
    std::filesystem::path kept = std::move(mTemporary);
    mTemporary.clear();
    return kept;
}

void WriteFileAtomically(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write) {
    StagedFile staged(file, write);
    staged.PutInPlace();
}

std::filesystem::path TemporaryFileOf(const std::filesystem::path& file) {
    std::filesystem::path temporary = file;
    return temporary += kTemporarySuffix;
}

std::string SyncFolderToDisk(const std::filesystem::path& folder) {
    return SyncPath(folder, O_RDONLY | O_DIRECTORY);
}

int RemoveStrayTemporaries(const std::filesystem::path& folder, const std::set<std::string>& keep) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return 0;
    }
    int removed = 0;
    for (const std::filesystem::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(kTemporarySuffix) || keep.count(name) != 0 || !entry.is_regular_file(error)) {
            continue;
        }
        removed += gRemoveFile(entry.path().c_str()) == 0 ? 1 : 0;
    }
    return removed;
}
