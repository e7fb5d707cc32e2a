#pragma once

#include <SDL_surface.h>

#include <memory>

// Owns an SDL surface; frees it with SDL_FreeSurface.
struct SdlSurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;
