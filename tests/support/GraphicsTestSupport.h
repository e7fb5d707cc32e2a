#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Points XDG_DATA_HOME at a fresh folder for the test's life, so that "Display.ini" and
// saved data never touch the player's own folder.
class ScopedDataHome {
public:
    ScopedDataHome() {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            mSaved = old;
        }
        char pattern[] = "/tmp/qv_datahome_XXXXXX";
        mFolder = mkdtemp(pattern);
        setenv("XDG_DATA_HOME", mFolder.c_str(), 1);
    }
    ~ScopedDataHome() {
        if (mSaved) {
            setenv("XDG_DATA_HOME", mSaved->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
    }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

    const std::filesystem::path& Folder() const { return mFolder; }

private:
    std::filesystem::path mFolder;
    std::optional<std::string> mSaved;
};

// A fresh folder removed at the end of the test.
class ScopedTempFolder {
public:
    ScopedTempFolder() {
        char pattern[] = "/tmp/qv_gfxtest_XXXXXX";
        mFolder = mkdtemp(pattern);
    }
    ~ScopedTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
    }
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

    const std::filesystem::path& Path() const { return mFolder; }

private:
    std::filesystem::path mFolder;
};

inline void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Writes PNG data (whatever the file's extension) whose pixel (x, y) is pixel(x, y) as RGBA.
inline void WritePng(const std::filesystem::path& path, int width, int height,
                     const std::function<uint32_t(int x, int y)>& rgbaAt) {
    std::filesystem::create_directories(path.parent_path());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const uint32_t rgba = rgbaAt(x, y);
            row[x * 4 + 0] = static_cast<uint8_t>(rgba >> 24);
            row[x * 4 + 1] = static_cast<uint8_t>(rgba >> 16);
            row[x * 4 + 2] = static_cast<uint8_t>(rgba >> 8);
            row[x * 4 + 3] = static_cast<uint8_t>(rgba);
        }
    }
    const int saved = IMG_SavePNG(surface, path.string().c_str());
    SDL_FreeSurface(surface);
    ASSERT_EQ(saved, 0) << IMG_GetError();
}

// GL tests run under a virtual X server; without one they are skipped.
#define QV_REQUIRE_DISPLAY()                                              \
    do {                                                                  \
        if (std::getenv("DISPLAY") == nullptr) {                          \
            GTEST_SKIP() << "no DISPLAY: GL tests run under xvfb-run -a"; \
        }                                                                 \
        setenv("SDL_VIDEODRIVER", "x11", 0);                              \
    } while (false)
