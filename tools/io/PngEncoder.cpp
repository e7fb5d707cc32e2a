#include "tools/io/PngEncoder.h"

#include <stdexcept>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace qv::tools {

namespace {

void AppendToBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), begin, begin + size);
}

}  // namespace

Bytes EncodePng(const Image8& image) {
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height * 4) {
        throw std::invalid_argument("EncodePng: picture size does not match its pixel data");
    }
    Bytes out;
    if (!stbi_write_png_to_func(&AppendToBytes, &out, image.Width, image.Height, 4, image.Pixels.data(),
                                image.Width * 4)) {
        throw std::runtime_error("EncodePng: encoder failed");
    }
    return out;
}

}  // namespace qv::tools
