// An image of a texture bank (a ".sheet" or a font page): measured from its header,
// then decoded, as the texture loader reads it.
#include <string>

#include "FuzzSupport.h"
#include "platform/gfx/GfxImage.h"

namespace {

// Smaller than any device's limit, so that a header's claim costs little memory.
constexpr int kMaxSide = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path path = WriteFuzzFile("Textures/Main/Fuzz.sheet", InputText(data, size));
    int width = 0;
    int height = 0;
    std::string error;
    const bool measured = ReadImageHeaderSize(path, &width, &height, &error);
    GfxImage image;
    if (ReadImageFile(path, &image, &error, kMaxSide)) {
        // A decoded image is the size its header gave, with every pixel there.
        if (!measured || image.Width != width || image.Height != height ||
            image.Pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
            __builtin_trap();
        }
    }
    return 0;
}
