#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/window/SdlVideo.h"

// Keeps the video system running until the process exits. Stopping it unloads the X
// and OpenGL driver libraries, and the leak checker can then no longer tell their own
// leftovers (which the leak suppressions cover by library name) from ours. Each test
// program that opens windows registers it once.
class VideoForTheWholeRun : public ::testing::Environment {
public:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            return;
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        try {
            sVideo = new SdlVideo();
        } catch (const std::runtime_error&) {
            // The GL tests report the failure themselves.
        }
    }

private:
    // Reachable to the end, so the leak checker does not count it.
    static inline SdlVideo* sVideo = nullptr;
};
