#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gfx/GfxDevice.h"
#include "platform/window/SdlVideo.h"
#include "platform/window/Window.h"

extern char** environ;

namespace {

constexpr const char* kChildSwitch = "QV_GFX_CONTEXT_CHILD";

// Runs this test program again with one test selected and extra environment entries;
// returns what it printed and sets *status to its exit status.
std::string RunChild(const std::string& filter, const std::vector<std::string>& extraEnvironment, int* status) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    std::vector<std::string> environment(extraEnvironment);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    std::string filterArg = "--gtest_filter=" + filter;
    char* argv[] = {program.data(), filterArg.data(), nullptr};

    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof(buffer))) > 0;) {
        output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);
    if (spawned != 0) {
        throw std::runtime_error("cannot start the test program again");
    }
    waitpid(child, status, 0);
    return output;
}

}  // namespace

// Only meaningful inside RunChild: opens a device on whatever the driver offers.
TEST(GfxContextChild, OpenDevice) {
    if (std::getenv(kChildSwitch) == nullptr) {
        GTEST_SKIP() << "runs only as the child of NoOpenGl33ContextIsReportedClearly";
    }
    try {
        SdlVideo video;
        Window window(WindowDesc{"GfxContextChild", 32, 32, false, 60});
        GfxDevice device(window, 32, 32);
        std::printf("CHILD: device opened\n");
    } catch (const std::runtime_error& error) {
        std::printf("CHILD: %s\n", error.what());
    }
}

TEST(GfxContextTest, NoOpenGl33ContextIsReportedClearly) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no DISPLAY: GL tests run under xvfb-run -a";
    }
    int status = 0;
    // Mesa then offers nothing newer than OpenGL 3.0.
    const std::string output = RunChild("GfxContextChild.OpenDevice",
                                        {std::string(kChildSwitch) + "=1", "MESA_GL_VERSION_OVERRIDE=3.0"}, &status);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_NE(output.find("CHILD: no window could be opened: no usable OpenGL 3.3 core context"), std::string::npos)
        << output;

    const std::string normal = RunChild("GfxContextChild.OpenDevice", {std::string(kChildSwitch) + "=1"}, &status);
    EXPECT_NE(normal.find("CHILD: device opened"), std::string::npos) << normal;
}
