#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Builds a little-endian byte record in memory, whatever the host's byte order.
class ByteWriter {
public:
    void PutU8(uint8_t value);
    void PutInt32(int32_t value);
    // IEEE 754 single precision.
    void PutFloat(float value);
    // The bytes, then one NUL. The caller makes sure text holds no NUL of its own.
    void PutNulString(std::string_view text);

    const std::string& Bytes() const { return mBytes; }

private:
    void PutUInt32(uint32_t value);

    std::string mBytes;
};
