#include "tools/io/IcoEncoder.h"

#include <stdexcept>

namespace qv::tools {

namespace {

void PutU16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

constexpr std::uint32_t kDirectorySize = 6 + 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

}  // namespace

Bytes EncodeIco(const Image8& image) {
    if (image.Width < 1 || image.Width > 256 || image.Height < 1 || image.Height > 256) {
        throw std::invalid_argument("EncodeIco: icon sides must lie between 1 and 256 pixels");
    }
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(image.Width) * image.Height * 4;
    const std::uint32_t maskStride = ((static_cast<std::uint32_t>(image.Width) + 31) / 32) * 4;
    const std::uint32_t maskBytes = maskStride * image.Height;
    const std::uint32_t payloadBytes = kInfoHeaderSize + colourBytes + maskBytes;

    Bytes out;
    out.reserve(kDirectorySize + payloadBytes);
    // ICONDIR: reserved, type 1 (icon), one image.
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    // ICONDIRENTRY: a side of 256 is written as 0.
    out.push_back(static_cast<std::uint8_t>(image.Width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(image.Height & 0xFF));
    out.push_back(0);  // palette size
    out.push_back(0);  // reserved
    PutU16(out, 1);    // planes
    PutU16(out, 32);   // bits per pixel
    PutU32(out, payloadBytes);
    PutU32(out, kDirectorySize);

    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.Width));
    PutU32(out, static_cast<std::uint32_t>(image.Height) * 2);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, 0);  // BI_RGB
    PutU32(out, colourBytes + maskBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);

    for (int y = image.Height - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    // AND mask: set bits mark transparent pixels for readers that ignore alpha.
    for (int y = image.Height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < image.Width; ++x) {
            if (image.At(x, y)[3] == 0) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace qv::tools
