#include "platform/IconFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "object/ReadableFile.h"

namespace {

struct FileClose {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileClose>;

constexpr size_t kHeaderBytes = 6;
constexpr size_t kEntryBytes = 16;
// A bitmap header's size field, width and height; a PNG's signature and IHDR chunk.
constexpr size_t kBitmapSizeBytes = 12;
constexpr size_t kPngSizeBytes = 24;
constexpr uint32_t kBitmapInfoHeaderBytes = 40;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint32_t BigEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | static_cast<uint32_t>(bytes[3]);
}

uint16_t LittleEndian16(const unsigned char* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// The number of bytes read at offset, fewer at the end of the file.
size_t ReadAt(FILE* file, uint32_t offset, unsigned char* bytes, size_t count) {
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
        return 0;
    }
    return std::fread(bytes, 1, count, file);
}

// As the image's own header claims it.
struct ImageSize {
    int64_t Width = 0;
    int64_t Height = 0;
};

std::string ImageLabel(size_t index, size_t count) {
    return count == 1 ? "the image" : "image " + std::to_string(index + 1) + " of " + std::to_string(count);
}

bool ReadImageSize(FILE* file, uint32_t offset, const std::string& label, ImageSize* size, std::string* error) {
    unsigned char header[kPngSizeBytes] = {};
    const size_t got = ReadAt(file, offset, header, sizeof(header));
    if (got >= sizeof(kPngSignature) && std::memcmp(header, kPngSignature, sizeof(kPngSignature)) == 0) {
        if (got < kPngSizeBytes || std::memcmp(header + 12, "IHDR", 4) != 0) {
            *error = label + " is a PNG image without its IHDR header";
            return false;
        }
        size->Width = BigEndian32(header + 16);
        size->Height = BigEndian32(header + 20);
        return true;
    }
    if (got < kBitmapSizeBytes) {
        *error = label + "'s header at byte " + std::to_string(offset) + " lies past the end of the file";
        return false;
    }
    if (LittleEndian32(header) < kBitmapInfoHeaderBytes) {
        *error = label + " is neither a bitmap nor a PNG image";
        return false;
    }
    size->Width = static_cast<int32_t>(LittleEndian32(header + 4));
    size->Height = static_cast<int32_t>(LittleEndian32(header + 8)) / 2;
    return true;
}

bool FitsOnASide(int64_t pixels, int maxSide) {
    return pixels >= 1 && pixels <= maxSide;
}

}  // namespace

bool CheckIconImageSizes(const std::filesystem::path& path, int maxSide, std::string* error) {
    ReadableFile readable(path);
    const FilePtr file(readable.ReleaseAsStream());
    if (file == nullptr) {
        *error = readable.Problem();
        return false;
    }
    unsigned char header[kHeaderBytes] = {};
    const bool whole = std::fread(header, 1, sizeof(header), file.get()) == sizeof(header);
    const uint16_t type = LittleEndian16(header + 2);
    const size_t count = LittleEndian16(header + 4);
    if (!whole || LittleEndian16(header) != 0 || (type != 1 && type != 2)) {
        *error = "not an ICO or CUR file: it starts with no icon directory";
        return false;
    }
    if (count == 0) {
        *error = "the icon directory lists no image";
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        unsigned char entry[kEntryBytes] = {};
        if (ReadAt(file.get(), static_cast<uint32_t>(kHeaderBytes + i * kEntryBytes), entry, sizeof(entry)) !=
            sizeof(entry)) {
            *error = "the file ends inside its directory of " + std::to_string(count) + " images";
            return false;
        }
        const std::string label = ImageLabel(i, count);
        ImageSize size;
        if (!ReadImageSize(file.get(), LittleEndian32(entry + 12), label, &size, error)) {
            return false;
        }
        if (!FitsOnASide(size.Width, maxSide) || !FitsOnASide(size.Height, maxSide)) {
            const bool empty = size.Width < 1 || size.Height < 1;
            *error = label + " claims " + std::to_string(size.Width) + " x " + std::to_string(size.Height) +
                     (empty ? " pixels, no image at all" : " pixels, over the limit of " + std::to_string(maxSide));
            return false;
        }
    }
    return true;
}
