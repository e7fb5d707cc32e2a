#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/SdlSurface.h"

struct SDL_Cursor;
class Window;

// A colour mouse cursor read from an ICO or CUR file, with its hot spot at the image's
// centre.
class CursorImage {
public:
    // The largest side of a cursor, in pixels: systems show nothing larger, and a bigger
    // claim is a damaged file that would make the decoder allocate gigabytes.
    static constexpr int MaxSide = 256;

    // The decoded picture, once the headers of every image in the file have shown it to
    // be 1 to MaxSide pixels on a side. Null, with the reason in *error, when the file
    // cannot be read, is no ICO or CUR file or holds an image of another size.
    static SdlSurfacePtr ReadImage(const std::filesystem::path& path, std::string* error);
    // Reads the file and makes the cursor for the window. Null, with the reason in
    // *error, when the file cannot be read or the system cannot make the cursor.
    static std::unique_ptr<CursorImage> Load(const std::filesystem::path& path, const Window& window,
                                             std::string* error);
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
