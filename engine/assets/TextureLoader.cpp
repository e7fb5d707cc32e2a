#include "assets/TextureLoader.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxImage.h"
#include "platform/gfx/GfxTexture.h"

namespace {

// The game runs on without the image, so the designer hears of it where content
// problems are told.
void Report(const std::string& text) {
    WarnContent(text);
}

// No image the game draws comes near this; a damaged header that claims more would
// have the decoder allocate gigabytes before it finds the pixels missing.
constexpr int kLargestImageSide = 8192;

// Why an image of that size cannot be drawn; "" when it can.
std::string SizeRefusal(int width, int height, int deviceMaxSide) {
    const std::string claim =
        "the header claims " + std::to_string(width) + "x" + std::to_string(height) + " pixels, over ";
    if (std::max(width, height) > kLargestImageSide) {
        return claim + "the largest side the game takes, " + std::to_string(kLargestImageSide);
    }
    if (std::max(width, height) > deviceMaxSide) {
        return claim + "the device's largest texture side, " + std::to_string(deviceMaxSide);
    }
    return "";
}

// Refused from its header, before the decoder allocates anything, when larger than the
// game takes or the device holds: told like any unreadable image, and the game goes on
// without it.
bool ReadImage(const std::filesystem::path& path, GfxImage* image, int deviceMaxSide) {
    std::string error;
    int width = 0;
    int height = 0;
    if (ReadImageHeaderSize(path, &width, &height, &error)) {
        error = SizeRefusal(width, height, deviceMaxSide);
        if (error.empty() && ReadImageFile(path, image, &error, std::min(kLargestImageSide, deviceMaxSide))) {
            return true;
        }
    }
    Report(path.string() + ": cannot read image: " + error);
    return false;
}

// The "_NRM" image with the "_SPEC" image's blue channel as its alpha. Null when either
// is missing or their sizes differ from the colour image's.
std::shared_ptr<GfxTexture> LoadNormalSpecular(GfxDevice& device, const std::filesystem::path& colorPath, int width,
                                               int height) {
    const std::string stem = colorPath.stem().string();
    const std::string base = stem.substr(0, stem.size() - 4);
    const std::filesystem::path normalPath = colorPath.parent_path() / (base + "_NRM.sheet");
    const std::filesystem::path specularPath = colorPath.parent_path() / (base + "_SPEC.sheet");
    GfxImage normal;
    GfxImage specular;
    const int maxSide = device.MaxTextureSize();
    if (!ReadImage(normalPath, &normal, maxSide) || !ReadImage(specularPath, &specular, maxSide)) {
        return nullptr;
    }
    for (const auto* companion : {&normal, &specular}) {
        if (companion->Width != width || companion->Height != height) {
            Report(colorPath.string() + ": companions must be " + std::to_string(width) + "x" + std::to_string(height) +
                   " like the image, but one is " + std::to_string(companion->Width) + "x" +
                   std::to_string(companion->Height) + "; no normal map");
            return nullptr;
        }
    }
    for (size_t i = 3; i < normal.Pixels.size(); i += 4) {
        normal.Pixels[i] = specular.Pixels[i - 1];  // blue of the specular image
    }
    return device.CreateTexture(width, height, normal.Pixels.data(), GfxMips::Full);
}

}  // namespace

bool LoadTexture(GfxDevice* device, Texture* texture, const std::filesystem::path& path) {
    if (device == nullptr) {
        throw std::logic_error(path.string() + ": textures load only while the renderer is initialised");
    }
    GfxImage image;
    if (!ReadImage(path, &image, device->MaxTextureSize())) {
        return false;
    }
    const bool hasCompanions = path.stem().string().ends_with("_COL");
    std::shared_ptr<GfxTexture> colour;
    std::shared_ptr<GfxTexture> normalSpecular;
    // The device names only the size it refuses; the file is what the reader can fix.
    try {
        colour = device->CreateTexture(image.Width, image.Height, image.Pixels.data(), GfxMips::Full);
        if (hasCompanions) {
            normalSpecular = LoadNormalSpecular(*device, path, image.Width, image.Height);
        }
    } catch (const std::exception& error) {
        throw ContentError(path, std::string("cannot make a texture of the image: ") + error.what());
    }
    texture->DeviceTexture = std::move(colour);
    if (hasCompanions) {
        texture->NormalSpecularTexture = std::move(normalSpecular);
    }
    texture->Width = static_cast<float>(image.Width);
    texture->Height = static_cast<float>(image.Height);
    return true;
}
