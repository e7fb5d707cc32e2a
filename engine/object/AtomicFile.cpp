#include "object/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <system_error>
#include <utility>
#include <vector>

#include "object/ContentError.h"

int (*gSyncToDisk)(int descriptor) = fsync;
int (*gRenameFile)(const char* from, const char* to) = ::rename;
int (*gRemoveFile)(const char* file) = ::remove;
ssize_t (*gWriteToFile)(int descriptor, const void* bytes, size_t count) = ::write;

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

// Closes the descriptor however the write ends.
struct Descriptor {
    int Value;
    ~Descriptor() { close(Value); }
};

void RemoveQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

// What stands at the temporary file's name (a file cut short, a link, a FIFO, an empty
// folder) goes first: the temporary file is always made anew, never written through a
// link into another file, and never opened where an open would wait.
void ClearTemporaryName(const std::filesystem::path& file, const std::filesystem::path& temporary) {
    if (gRemoveFile(temporary.c_str()) != 0 && errno != ENOENT) {
        throw ContentError(file, "cannot open '" + temporary.generic_string() +
                                     "' for writing: what stands at its name cannot be removed: " +
                                     std::strerror(errno));
    }
}

// A stream's bytes written to a descriptor through gWriteToFile. The first failure's
// errno is kept and every later write fails.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : mDescriptor(descriptor), mBuffer(64 * 1024) {
        setp(mBuffer.data(), mBuffer.data() + mBuffer.size());
    }

    // 0 while every byte went out, else why one did not.
    int Failure() const { return mFailure; }

protected:
    int_type overflow(int_type c) override {
        if (!Flush()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return Flush() ? 0 : -1; }

private:
    bool Flush() {
        for (const char* next = pbase(); mFailure == 0 && next < pptr();) {
            const ssize_t wrote = gWriteToFile(mDescriptor, next, static_cast<size_t>(pptr() - next));
            if (wrote > 0) {
                next += wrote;
            } else if (wrote == 0 || errno != EINTR) {
                mFailure = wrote == 0 ? EIO : errno;
            }
        }
        setp(mBuffer.data(), mBuffer.data() + mBuffer.size());
        return mFailure == 0;
    }

    int mDescriptor;
    std::vector<char> mBuffer;
    int mFailure = 0;
};

void WriteWhole(const std::filesystem::path& file, const std::filesystem::path& temporary,
                const std::function<void(std::ostream&)>& write) {
    ClearTemporaryName(file, temporary);
    // O_EXCL: a link or anything else put at the name since is refused, not followed.
    const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw ContentError(file,
                           "cannot open '" + temporary.generic_string() + "' for writing: " + std::strerror(errno));
    }
    const Descriptor closer{descriptor};
    DescriptorBuffer buffer(descriptor);
    std::ostream out(&buffer);
    write(out);
    out.flush();
    if (buffer.Failure() != 0 || !out) {
        const std::string why = buffer.Failure() != 0 ? std::strerror(buffer.Failure()) : "the text cannot be made";
        throw ContentError(file, "writing '" + temporary.generic_string() + "' failed: " + why);
    }
    // Otherwise a power cut after the rename can leave the new name on an empty file.
    if (gSyncToDisk(descriptor) != 0) {
        throw ContentError(file,
                           "cannot force '" + temporary.generic_string() + "' to the disk: " + std::strerror(errno));
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
        // Whatever kind it is: a link or a FIFO left at the name would trouble the next save.
        if (!name.ends_with(kTemporarySuffix) || keep.count(name) != 0) {
            continue;
        }
        removed += gRemoveFile(entry.path().c_str()) == 0 ? 1 : 0;
    }
    return removed;
}
