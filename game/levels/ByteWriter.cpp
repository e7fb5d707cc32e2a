#include "game/levels/ByteWriter.h"

#include <bit>

void ByteWriter::PutU8(uint8_t value) {
    mBytes.push_back(static_cast<char>(value));
}

void ByteWriter::PutInt32(int32_t value) {
    PutUInt32(static_cast<uint32_t>(value));
}

void ByteWriter::PutFloat(float value) {
    PutUInt32(std::bit_cast<uint32_t>(value));
}

void ByteWriter::PutNulString(std::string_view text) {
    mBytes.append(text);
    mBytes.push_back('\0');
}

void ByteWriter::PutUInt32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        PutU8(static_cast<uint8_t>(value >> shift));
    }
}
