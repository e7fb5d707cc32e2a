// An image as the game reads one: as a texture bank's image (a ".sheet" or a font page),
// measured from its header, then decoded, as the texture loader reads it; and as a
// cursor (an ".ico"), its images' headers checked, then decoded.
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/gfx/GfxImage.h"
#include "platform/window/CursorImage.h"

namespace {

// Smaller than any device's limit, so that a header's claim costs little memory.
constexpr int kMaxSide = 2048;

void ReadAsTexture(std::string_view text) {
    const std::filesystem::path path = WriteFuzzFile("Textures/Main/Fuzz.sheet", text);
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
}

void ReadAsCursor(std::string_view text) {
    std::string error;
    const SdlSurfacePtr image = CursorImage::ReadImage(WriteFuzzFile("Cursors/Fuzz.ico", text), &error);
    // Whatever the headers claim, a decoded cursor is no larger than a cursor can be.
    if (image != nullptr && (image->w < 1 || image->w > CursorImage::MaxSide || image->h < 1 ||
                             image->h > CursorImage::MaxSide)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = InputText(data, size);
    ReadAsTexture(text);
    ReadAsCursor(text);
    return 0;
}
