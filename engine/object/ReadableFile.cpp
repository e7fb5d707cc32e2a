#include "object/ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <utility>
#include <vector>

#include "object/ContentError.h"

namespace {

std::string KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "something else";
}

}  // namespace

ReadableFile::ReadableFile(const std::filesystem::path& file) {
    // Without O_NONBLOCK opening a FIFO waits for a writer that never comes.
    const int descriptor = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        mMissing = errno == ENOENT || errno == ENOTDIR;
        mProblem = std::string("cannot open the file for reading: ") + std::strerror(errno);
        return;
    }
    struct stat status = {};
    if (fstat(descriptor, &status) != 0) {
        mProblem = std::string("cannot read the file's status: ") + std::strerror(errno);
        close(descriptor);
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        mNotAFile = true;
        mProblem = "it is " + KindOf(status.st_mode) + ", not a regular file";
        close(descriptor);
        return;
    }
    // A regular file's reads never wait; the flag would only puzzle stdio and libraries.
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags >= 0) {
        fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    }
    mDescriptor = descriptor;
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : mDescriptor(std::exchange(other.mDescriptor, -1)),
      mMissing(other.mMissing),
      mNotAFile(other.mNotAFile),
      mProblem(std::move(other.mProblem)) {}

ReadableFile::~ReadableFile() {
    if (mDescriptor >= 0) {
        close(mDescriptor);
    }
}

bool ReadableFile::ReadAll(std::string& bytes, size_t maxBytes) {
    bytes.clear();
    const bool whole = ReadPieces([&](const char* piece, size_t count) {
        if (count > maxBytes - bytes.size()) {
            mProblem = "it is larger than " + std::to_string(maxBytes) + " bytes";
            return false;
        }
        bytes.append(piece, count);
        return true;
    });
    if (!whole) {
        bytes.clear();
    }
    return whole;
}

bool ReadableFile::CopyTo(std::ostream& out) {
    return ReadPieces([&out](const char* piece, size_t count) {
        return static_cast<bool>(out.write(piece, static_cast<std::streamsize>(count)));
    });
}

bool ReadableFile::ReadPieces(const std::function<bool(const char* bytes, size_t count)>& take) {
    if (!IsOpen()) {
        return false;
    }
    std::vector<char> piece(64 * 1024);
    for (;;) {
        const ssize_t got = read(mDescriptor, piece.data(), piece.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            mProblem = std::string("reading the file failed: ") + std::strerror(errno);
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!take(piece.data(), static_cast<size_t>(got))) {
            return false;
        }
    }
}

FILE* ReadableFile::ReleaseAsStream() {
    if (!IsOpen()) {
        return nullptr;
    }
    FILE* stream = fdopen(mDescriptor, "rb");
    if (stream == nullptr) {
        mProblem = std::string("cannot read the file: ") + std::strerror(errno);
        return nullptr;
    }
    mDescriptor = -1;
    return stream;
}

int ReadableFile::ReleaseDescriptor() {
    return std::exchange(mDescriptor, -1);
}

std::string ReadWholeFile(const std::filesystem::path& file) {
    ReadableFile readable(file);
    std::string bytes;
    if (!readable.ReadAll(bytes)) {
        throw ContentError(file, readable.Problem());
    }
    return bytes;
}
