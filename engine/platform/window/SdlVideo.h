#pragma once

// Keeps SDL's video and event subsystems running while alive. SDL counts these
// initialisations, so several holders may coexist.
class SdlVideo {
public:
    // Throws std::runtime_error when SDL cannot start its video subsystem.
    SdlVideo();
    ~SdlVideo();

    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
};
