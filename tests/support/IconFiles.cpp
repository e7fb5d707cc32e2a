#include "IconFiles.h"

namespace {

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

std::string MakeIconFile(int32_t width, int32_t height, bool whole) {
    std::string image;
    PutLittleEndian(image, 40, 4);  // header size
    PutLittleEndian(image, static_cast<uint32_t>(width), 4);
    PutLittleEndian(image, static_cast<uint32_t>(height) * 2, 4);  // the colour rows and the mask's
    PutLittleEndian(image, 1, 2);                                  // planes
    PutLittleEndian(image, 32, 2);                                 // bits per pixel
    image.append(4 * 6, '\0');  // no compression, sizes and palette left out
    if (whole) {
        for (int64_t i = 0; i < int64_t{width} * height; ++i) {
            PutLittleEndian(image, 0xFF2080E0u, 4);  // BGRA
        }
        const int maskRowBytes = (width + 31) / 32 * 4;
        image.append(static_cast<size_t>(maskRowBytes) * static_cast<size_t>(height), '\0');
    }

    std::string file;
    PutLittleEndian(file, 0, 2);  // reserved
    PutLittleEndian(file, 1, 2);  // icon
    PutLittleEndian(file, 1, 2);  // one image
    file.push_back(static_cast<char>(width & 0xFF));
    file.push_back(static_cast<char>(height & 0xFF));
    PutLittleEndian(file, 0, 2);   // no palette, reserved
    PutLittleEndian(file, 1, 2);   // planes
    PutLittleEndian(file, 32, 2);  // bits per pixel
    PutLittleEndian(file, static_cast<uint32_t>(image.size()), 4);
    PutLittleEndian(file, 22, 4);  // offset of the image
    return file + image;
}
