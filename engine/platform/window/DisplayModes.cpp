#include "platform/window/DisplayModes.h"

#include <SDL.h>

std::vector<VideoMode> ListDisplayModes() {
    std::vector<VideoMode> modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0) {
            modes.push_back({mode.w, mode.h, mode.refresh_rate});
        }
    }
    return modes;
}
