#include "platform/window/CursorImage.h"

#include <SDL.h>

#include "platform/IconFile.h"
#include "platform/ImageFile.h"
#include "platform/window/Window.h"
#include "platform/window/XErrorTrap.h"

SdlSurfacePtr CursorImage::ReadImage(const std::filesystem::path& path, std::string* error) {
    if (!CheckIconImageSizes(path, MaxSide, error)) {
        return nullptr;
    }
    return DecodeImageFile(path, error);
}

std::unique_ptr<CursorImage> CursorImage::Load(const std::filesystem::path& path, const Window& window,
                                               std::string* error) {
    const SdlSurfacePtr image = ReadImage(path, error);
    if (image == nullptr) {
        return nullptr;
    }
    // The X server answers a cursor it cannot make with an error, not with the call's
    // result, and Xlib's own handler would end the game over it.
    XErrorTrap trap(window.Handle());
    SDL_Cursor* cursor = SDL_CreateColorCursor(image.get(), image->w / 2, image->h / 2);
    if (cursor == nullptr) {
        *error = std::string("the system cannot make the cursor: ") + SDL_GetError();
        return nullptr;
    }
    const std::string refused = trap.Sync();
    if (!refused.empty()) {
        SDL_FreeCursor(cursor);
        *error = "the X server cannot make the cursor: " + refused;
        return nullptr;
    }
    return std::unique_ptr<CursorImage>(new CursorImage(cursor));
}

CursorImage::~CursorImage() {
    SDL_FreeCursor(mCursor);
}

void CursorImage::Show() const {
    SDL_SetCursor(mCursor);
}

void CursorImage::ShowDefault() {
    SDL_SetCursor(SDL_GetDefaultCursor());
}

void CursorImage::SetPointerVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
