#pragma once

#include <stdexcept>

// No window can be opened: SDL's video system did not start, or, with no driver asked
// for in SDL_VIDEODRIVER, it could start only a driver without a screen (SDL falls back
// to "offscreen" when no display can be reached). The text names the display tried and
// SDL's reason.
class NoDisplayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Keeps SDL's video and event subsystems running while alive. SDL counts these
// initialisations, so several holders may coexist.
class SdlVideo {
public:
    // Throws NoDisplayError when no window can be opened.
    SdlVideo();
    ~SdlVideo();

    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
};
