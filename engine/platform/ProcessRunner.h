#pragma once

#include <sys/types.h>
#include <filesystem>
#include <string>
#include <vector>

// One child process started from an argument vector (no shell) and polled without
// blocking, so a long build never holds up the main loop.
class ProcessRunner {
public:
    enum class State { Idle, Running, Succeeded, Failed };

    ProcessRunner() = default;
    // A child still running is stopped and reaped.
    ~ProcessRunner();
    ProcessRunner(const ProcessRunner&) = delete;
    ProcessRunner& operator=(const ProcessRunner&) = delete;

    // False, with Error set, when the program cannot be started or one already runs.
    bool Start(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder);
    // Running until the child has ended; then Succeeded for exit status 0, else Failed
    // with Error set. The end is reported once, then the runner is Idle again.
    State Poll();
    bool IsRunning() const { return mPid > 0; }

    std::string Error;

private:
    pid_t mPid = -1;
};
