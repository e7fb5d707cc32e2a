#include "platform/window/SdlVideo.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/window/NoWindowError.h"

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

// SDL's drivers that run without a screen: a game in one shows nothing and hears no keys.
bool HasNoScreen(const std::string& driver) {
    return driver == "offscreen" || driver == "dummy";
}

// The driver the user asked for, "" when SDL chooses.
std::string RequestedDriver() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked != nullptr ? asked : "";
}

// SDL keeps no reason when it falls back, so each driver it tried first, in its own
// order, is started again for its complaint.
std::string ReasonsOfDriversBefore(const std::string& fallback) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return "no video driver with a screen";  // another holder's video must not be restarted
    }
    std::string reasons;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string driver = SDL_GetVideoDriver(i);
        if (driver == fallback) {
            break;
        }
        SDL_ClearError();
        if (SDL_VideoInit(driver.c_str()) == 0) {
            SDL_VideoQuit();
            continue;
        }
        reasons += (reasons.empty() ? "" : "; ") + std::string(SDL_GetError());
    }
    return reasons.empty() ? "no video driver with a screen" : reasons;
}

NoWindowError NoWindow(const std::string& sdlReason) {
    const std::string asked = RequestedDriver();
    const std::string what = asked.empty()
                                 ? "no display could be reached"
                                 : "the video driver \"" + asked + "\" named by SDL_VIDEODRIVER did not start";
    return NoWindowError(what, "SDL: " + sdlReason);
}

}  // namespace

SdlVideo::SdlVideo() {
    if (SDL_InitSubSystem(kSubsystems) != 0) {
        throw NoWindow(SDL_GetError());
    }
    const char* current = SDL_GetCurrentVideoDriver();
    const std::string driver = current != nullptr ? current : "";
    if (RequestedDriver().empty() && HasNoScreen(driver)) {
        SDL_QuitSubSystem(kSubsystems);
        throw NoWindow(ReasonsOfDriversBefore(driver));
    }
}

SdlVideo::~SdlVideo() {
    SDL_QuitSubSystem(kSubsystems);
}
