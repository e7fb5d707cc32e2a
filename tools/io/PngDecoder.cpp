#include "tools/io/PngDecoder.h"

#include "tools/io/Bytes.h"

#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace qv::tools {

namespace {

// Source pictures are sprite frames; anything larger is a mistake, not a frame.
constexpr int kMaxSide = 4096;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

Image8 ReadPngFile(const std::filesystem::path& path) {
    const Bytes data = ReadFileBytes(path);
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw std::runtime_error(path.string() + ": file too large");
    }
    const int size = static_cast<int>(data.size());
    int width = 0, height = 0, channels = 0;
    // Checked from the header first so a damaged one cannot make the decoder allocate gigabytes.
    if (stbi_info_from_memory(data.data(), size, &width, &height, &channels) == 0) {
        throw std::runtime_error(path.string() + ": not a PNG image (" + stbi_failure_reason() + ")");
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        throw std::runtime_error(path.string() + ": " + std::to_string(width) + "x" + std::to_string(height) +
                                 " pixels; a frame must be 1 to " + std::to_string(kMaxSide) + " pixels a side");
    }
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(data.data(), size, &width, &height, &channels, 4));
    if (pixels == nullptr) {
        throw std::runtime_error(path.string() + ": cannot decode the PNG image (" + stbi_failure_reason() + ")");
    }
    Image8 image(width, height);
    std::memcpy(image.Pixels.data(), pixels.get(), image.Pixels.size());
    return image;
}

}  // namespace qv::tools
