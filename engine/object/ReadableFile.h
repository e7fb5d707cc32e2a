#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <limits>
#include <string>

// A content or user file opened for reading: every reader of the game's files opens
// them here. Only a regular file opens, or a link to one; a FIFO, a folder or a device
// at the name is refused at once, never waited on, so a stray one can neither hang the
// game nor be read as endless text. The check is made on the open file itself, so
// nothing can be swapped in between.
class ReadableFile {
public:
    static constexpr size_t NoLimit = std::numeric_limits<size_t>::max();

    explicit ReadableFile(const std::filesystem::path& file);
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ReadableFile& operator=(ReadableFile&&) = delete;
    ~ReadableFile();

    bool IsOpen() const { return mDescriptor >= 0; }
    // Nothing stands at the name (nor at the end of a link).
    bool IsMissing() const { return mMissing; }
    // Something stands at the name that is no regular file.
    bool IsNotAFile() const { return mNotAFile; }
    // Why the file did not open or could not be read ("it is a FIFO, not a regular
    // file"), for a message that names the file; empty while all is well.
    const std::string& Problem() const { return mProblem; }

    // The whole content, at most maxBytes of it; false, with the problem said, when
    // the file is not open, reading fails or it holds more.
    bool ReadAll(std::string& bytes, size_t maxBytes = NoLimit);
    // Passes the whole content on to out; false when the file is not open, reading
    // fails (the problem said) or out fails.
    bool CopyTo(std::ostream& out);
    // The open file as a stdio stream, now the caller's to close; null when not open.
    FILE* ReleaseAsStream();
    // The descriptor, now the caller's to close; -1 when not open.
    int ReleaseDescriptor();

private:
    // Hands each piece read to take until the end or until take refuses (false).
    bool ReadPieces(const std::function<bool(const char* bytes, size_t count)>& take);

    int mDescriptor = -1;
    bool mMissing = false;
    bool mNotAFile = false;
    std::string mProblem;
};

// The whole file; ContentError naming it when it cannot be opened or read.
std::string ReadWholeFile(const std::filesystem::path& file);
