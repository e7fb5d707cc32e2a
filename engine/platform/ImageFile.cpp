#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>

#include "object/ReadableFile.h"

namespace {

struct ImageFormat {
    const char* Name;
    std::array<const char*, 2> Extensions;
    // SDL_image's check of the format's signature; null for TGA, which has none.
    int (*HasSignature)(SDL_RWops* data);
    SDL_Surface* (*Decode)(SDL_RWops* data);
};

const std::array<ImageFormat, 7> kFormats = {{
    {"PNG", {".png", nullptr}, IMG_isPNG, IMG_LoadPNG_RW},
    {"JPEG", {".jpg", ".jpeg"}, IMG_isJPG, IMG_LoadJPG_RW},
    {"BMP", {".bmp", nullptr}, IMG_isBMP, IMG_LoadBMP_RW},
    {"GIF", {".gif", nullptr}, IMG_isGIF, IMG_LoadGIF_RW},
    {"TGA", {".tga", nullptr}, nullptr, IMG_LoadTGA_RW},
    {"ICO", {".ico", nullptr}, IMG_isICO, IMG_LoadICO_RW},
    {"CUR", {".cur", nullptr}, IMG_isCUR, IMG_LoadCUR_RW},
}};

struct RwClose {
    void operator()(SDL_RWops* data) const { SDL_RWclose(data); }
};
using RwPtr = std::unique_ptr<SDL_RWops, RwClose>;

std::string LowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

const ImageFormat* FormatNamedBy(const std::string& extension) {
    for (const ImageFormat& format : kFormats) {
        for (const char* named : format.Extensions) {
            if (named != nullptr && extension == named) {
                return &format;
            }
        }
    }
    return nullptr;
}

// The signature checks leave the read position where it was.
const ImageFormat* FormatBySignature(SDL_RWops* data) {
    for (const ImageFormat& format : kFormats) {
        if (format.HasSignature != nullptr && format.HasSignature(data) != 0) {
            return &format;
        }
    }
    return nullptr;
}

}  // namespace

SdlSurfacePtr DecodeImageFile(const std::filesystem::path& path, std::string* error) {
    ReadableFile readable(path);
    FILE* const file = readable.ReleaseAsStream();
    if (file == nullptr) {
        *error = readable.Problem();
        return nullptr;
    }
    const RwPtr data(SDL_RWFromFP(file, SDL_TRUE));
    if (data == nullptr) {
        std::fclose(file);
        *error = SDL_GetError();
        return nullptr;
    }
    const ImageFormat* format = FormatNamedBy(LowerExtension(path));
    if (format == nullptr) {
        format = FormatBySignature(data.get());
    }
    if (format == nullptr) {
        *error = "the file starts with no PNG, JPEG, BMP, GIF, ICO or CUR signature";
        return nullptr;
    }
    SdlSurfacePtr image(format->Decode(data.get()));
    if (image == nullptr) {
        *error = std::string("not a readable ") + format->Name + " image: " + IMG_GetError();
    }
    return image;
}
