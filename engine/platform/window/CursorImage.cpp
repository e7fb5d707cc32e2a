#include "platform/window/CursorImage.h"

#include <SDL.h>

#include "platform/ImageFile.h"
#include "platform/SdlSurface.h"

std::unique_ptr<CursorImage> CursorImage::Load(const std::filesystem::path& path, std::string* error) {
    const SdlSurfacePtr image = DecodeImageFile(path, error);
    if (image == nullptr) {
        return nullptr;
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(image.get(), image->w / 2, image->h / 2);
    if (cursor == nullptr) {
        *error = SDL_GetError();
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
