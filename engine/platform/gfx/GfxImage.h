#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A decoded image: RGBA bytes, top row first.
struct GfxImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;
};

// Decodes any format SDL_image recognises from the file's content, whatever its
// extension. False, with the reason in *error, when the file cannot be read or decoded.
bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error);
