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

// The size an image file's header claims, read without decoding the pixels. False,
// with the reason in *error, when the file cannot be read or its header is of no format
// the header reader knows (PNG, JPEG, BMP, GIF, TGA, PSD, PNM, HDR, PIC).
bool ReadImageHeaderSize(const std::filesystem::path& path, int* width, int* height, std::string* error);

// Decodes the file as the format its name or signature says (DecodeImageFile), once its
// header has shown a known format no wider or taller than maxSide: a damaged header
// could otherwise make the decoder allocate gigabytes. False, with the reason in
// *error, when the file cannot be read, is too large or cannot be decoded.
bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error, int maxSide);
