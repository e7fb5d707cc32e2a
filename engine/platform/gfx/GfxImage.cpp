#include "platform/gfx/GfxImage.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

// Only the header readers are used; stb's decoders stay out of the program. Once
// inlined, the PNG header reader looks to the optimiser as if it read the bit depth
// before setting it; it never does, so that warning is off for this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include "platform/ImageFile.h"
#include "platform/SdlSurface.h"

bool ReadImageHeaderSize(const std::filesystem::path& path, int* width, int* height, std::string* error) {
    FILE* file = std::fopen(path.string().c_str(), "rb");
    if (file == nullptr) {
        *error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    int components = 0;
    const bool known = stbi_info_from_file(file, width, height, &components) != 0;
    std::fclose(file);
    if (!known) {
        *error = "the header is of no image format the game reads";
    }
    return known;
}

bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error, int maxSide) {
    int claimedWidth = 0;
    int claimedHeight = 0;
    if (!ReadImageHeaderSize(path, &claimedWidth, &claimedHeight, error)) {
        return false;
    }
    if (claimedWidth > maxSide || claimedHeight > maxSide) {
        *error = "the header claims " + std::to_string(claimedWidth) + "x" + std::to_string(claimedHeight) +
                 " pixels, over the limit of " + std::to_string(maxSide);
        return false;
    }
    const SdlSurfacePtr decoded = DecodeImageFile(path, error);
    if (!decoded) {
        return false;
    }
    const SdlSurfacePtr rgba(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) {
        *error = SDL_GetError();
        return false;
    }
    image->Width = rgba->w;
    image->Height = rgba->h;
    const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
    image->Pixels.resize(rowBytes * static_cast<size_t>(rgba->h));
    const auto* source = static_cast<const uint8_t*>(rgba->pixels);
    for (int row = 0; row < rgba->h; ++row) {
        std::copy_n(source + static_cast<size_t>(row) * rgba->pitch, rowBytes,
                    image->Pixels.data() + rowBytes * static_cast<size_t>(row));
    }
    return true;
}
