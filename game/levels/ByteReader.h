#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads a little-endian byte record from memory and never past its end: a read that
// the bytes left cannot satisfy fails, consumes nothing and leaves its output alone.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : mBytes(bytes) {}

    bool ReadU8(uint8_t& value);
    bool ReadInt32(int32_t& value);
    bool ReadFloat(float& value);
    // The bytes up to the next NUL, which is consumed; fails when no NUL follows.
    bool ReadNulString(std::string& text);
    // Exactly count bytes.
    bool ReadBytes(size_t count, std::string_view& bytes);

    // Back to an offset already read past, to read those bytes again as something else.
    void Rewind(size_t offset);

    size_t Offset() const { return mOffset; }
    size_t Remaining() const { return mBytes.size() - mOffset; }

private:
    bool ReadUInt32(uint32_t& value);

    std::string_view mBytes;
    size_t mOffset = 0;
};
