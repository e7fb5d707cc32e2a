#include "runtime/MessagePump.h"

#include <SDL.h>

bool PumpMessages() {
    SDL_Event event;
    bool keepRunning = true;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            keepRunning = false;
        }
    }
    return keepRunning;
}
