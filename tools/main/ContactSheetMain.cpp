// Composes every texture page of a content folder onto the dark ground colour
// of the game, side by side, so the art can be judged as a player would see it.
#include "tools/io/Bytes.h"
#include "tools/io/ContentWriter.h"
#include "tools/io/PngEncoder.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using qv::tools::Image8;

namespace {

Image8 Decode(const fs::path& path) {
    const qv::tools::Bytes data = qv::tools::ReadFileBytes(path);
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load_from_memory(data.data(), static_cast<int>(data.size()), &w, &h, &n, 4);
    if (!pixels)
        throw std::runtime_error(path.string() + ": not a readable picture");
    Image8 image(w, h);
    std::copy(pixels, pixels + static_cast<std::size_t>(w) * h * 4, image.Pixels.begin());
    stbi_image_free(pixels);
    return image;
}

void Composite(Image8& sheet, const Image8& page, int left, int top, int scale) {
    for (int y = 0; y < page.Height * scale && top + y < sheet.Height; ++y) {
        for (int x = 0; x < page.Width * scale && left + x < sheet.Width; ++x) {
            const std::uint8_t* s = page.At(x / scale, y / scale);
            std::uint8_t* d = sheet.At(left + x, top + y);
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<std::uint8_t>((s[c] * s[3] + d[c] * (255 - s[3])) / 255);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <content folder> <output.png> [page stem...]\n", argv[0]);
        return 2;
    }
    try {
        std::vector<fs::path> pages;
        for (const auto& entry : fs::directory_iterator(fs::path(argv[1]) / "Textures" / "Main")) {
            const std::string stem = entry.path().stem().string();
            if (entry.path().extension() != ".sheet" || stem.find("_NRM") != std::string::npos)
                continue;
            bool wanted = argc == 3;
            for (int i = 3; i < argc; ++i)
                wanted = wanted || stem == argv[i];
            if (wanted)
                pages.push_back(entry.path());
        }
        std::sort(pages.begin(), pages.end());
        std::vector<Image8> images;
        int width = 16, height = 16;
        for (const fs::path& page : pages) {
            images.push_back(Decode(page));
            const int scale = images.back().Width <= 256 ? 2 : 1;
            width += images.back().Width * scale + 16;
            height = std::max(height, images.back().Height * scale + 32);
        }
        Image8 sheet(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = sheet.At(x, y);
                const bool checker = ((x / 16) + (y / 16)) % 2 == 0;
                p[0] = checker ? 14 : 20, p[1] = checker ? 12 : 18, p[2] = checker ? 30 : 38, p[3] = 255;
            }
        }
        int left = 16;
        for (const Image8& image : images) {
            const int scale = image.Width <= 256 ? 2 : 1;
            Composite(sheet, image, left, 16, scale);
            left += image.Width * scale + 16;
        }
        qv::tools::ContentWriter(fs::path(argv[2]).parent_path().empty() ? "." : fs::path(argv[2]).parent_path())
            .Write({fs::path(argv[2]).filename(), qv::tools::EncodePng(sheet)});
    } catch (const std::exception& error) {
        std::fprintf(stderr, "contact sheet failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
