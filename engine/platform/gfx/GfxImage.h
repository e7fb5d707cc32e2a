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

// The size a PNG file's header claims, read without decoding the pixels. False, with
// the reason in *error, when the file cannot be read or is no PNG: the game ships its
// images as PNG (whatever the file's extension) and reads no other format.
bool ReadImageHeaderSize(const std::filesystem::path& path, int* width, int* height, std::string* error);

// Decodes a PNG file, whatever its extension, once its header has shown a size no
// wider or taller than maxSide: a damaged header could otherwise make the decoder
// allocate gigabytes. False, with the reason in *error, when the file cannot be read,
// is no PNG, is too large or cannot be decoded.
bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error, int maxSide);
