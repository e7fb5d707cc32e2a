#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/window/SdlVideo.h"

// Reachable to the end, so the leak checker does not count it.
SdlVideo* gRuntimeVideoForTheWholeRun = nullptr;

namespace {

// Keeps the video system running until the process exits. Stopping it unloads the X
// and OpenGL driver libraries, and the leak checker can then no longer tell their own
// leftovers (which the leak suppressions cover by library name) from ours.
class VideoForTheWholeRun : public ::testing::Environment {
public:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            return;
        }
        setenv("SDL_VIDEODRIVER", "x11", 0);
        try {
            gRuntimeVideoForTheWholeRun = new SdlVideo();
        } catch (const std::runtime_error&) {
            // The GL tests report the failure themselves.
        }
    }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new VideoForTheWholeRun);

}  // namespace
