#pragma once

// Keeps SDL's video and event subsystems running while alive. SDL counts these
// initialisations, so several holders may coexist.
class SdlVideo {
public:
    // Throws NoWindowError when SDL's video system does not start, or when, with no
    // driver asked for in SDL_VIDEODRIVER, it starts only a driver without a screen (SDL
    // falls back to "offscreen" when no display can be reached).
    SdlVideo();
    ~SdlVideo();

    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
};
