#include "platform/gfx/GfxImage.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "platform/SdlSurface.h"

bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error) {
    SDL_RWops* file = SDL_RWFromFile(path.string().c_str(), "rb");
    if (file == nullptr) {
        *error = SDL_GetError();
        return false;
    }
    // No type hint: the format is recognised from the data, so ".sheet" files decode.
    const SdlSurfacePtr decoded(IMG_Load_RW(file, 1));
    if (!decoded) {
        *error = IMG_GetError();
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
