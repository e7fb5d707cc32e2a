#include "platform/window/SdlVideo.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

}  // namespace

SdlVideo::SdlVideo() {
    if (SDL_InitSubSystem(kSubsystems) != 0) {
        throw std::runtime_error(std::string("Cannot start the video system: ") + SDL_GetError());
    }
}

SdlVideo::~SdlVideo() {
    SDL_QuitSubSystem(kSubsystems);
}
