#include "game/levels/ByteReader.h"

#include <bit>

bool ByteReader::ReadU8(uint8_t& value) {
    if (Remaining() < 1) {
        return false;
    }
    value = static_cast<uint8_t>(mBytes[mOffset]);
    ++mOffset;
    return true;
}

bool ByteReader::ReadInt32(int32_t& value) {
    uint32_t bits = 0;
    if (!ReadUInt32(bits)) {
        return false;
    }
    value = static_cast<int32_t>(bits);
    return true;
}

bool ByteReader::ReadFloat(float& value) {
    uint32_t bits = 0;
    if (!ReadUInt32(bits)) {
        return false;
    }
    value = std::bit_cast<float>(bits);
    return true;
}

bool ByteReader::ReadNulString(std::string& text) {
    const size_t end = mBytes.find('\0', mOffset);
    if (end == std::string_view::npos) {
        return false;
    }
    text.assign(mBytes.substr(mOffset, end - mOffset));
    mOffset = end + 1;
    return true;
}

bool ByteReader::ReadBytes(size_t count, std::string_view& bytes) {
    if (Remaining() < count) {
        return false;
    }
    bytes = mBytes.substr(mOffset, count);
    mOffset += count;
    return true;
}

void ByteReader::Rewind(size_t offset) {
    if (offset < mOffset) {
        mOffset = offset;
    }
}

bool ByteReader::ReadUInt32(uint32_t& value) {
    if (Remaining() < 4) {
        return false;
    }
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<uint32_t>(static_cast<uint8_t>(mBytes[mOffset + i])) << (8 * i);
    }
    value = bits;
    mOffset += 4;
    return true;
}
