#pragma once

#include <filesystem>
#include <memory>
#include <string>

struct SDL_Cursor;

// A colour mouse cursor read from an image file (".ico" or another format DecodeImageFile
// reads), with its hot spot at the image's centre.
class CursorImage {
public:
    // Null, with the reason in *error, when the file cannot be read.
    static std::unique_ptr<CursorImage> Load(const std::filesystem::path& path, std::string* error);
    ~CursorImage();

    CursorImage(const CursorImage&) = delete;
    CursorImage& operator=(const CursorImage&) = delete;

    // Makes this the cursor shown over the game window.
    void Show() const;
    // Returns to the system's arrow.
    static void ShowDefault();
    // Shows or hides the pointer over the game window.
    static void SetPointerVisible(bool visible);

private:
    explicit CursorImage(SDL_Cursor* cursor) : mCursor(cursor) {}

    SDL_Cursor* mCursor;
};
