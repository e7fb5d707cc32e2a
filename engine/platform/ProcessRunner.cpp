#include "platform/ProcessRunner.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>

extern char** environ;

ProcessRunner::~ProcessRunner() {
    if (mPid > 0) {
        kill(mPid, SIGTERM);
        int status = 0;
        waitpid(mPid, &status, 0);
    }
}

bool ProcessRunner::Start(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder) {
    if (mPid > 0 || arguments.empty()) {
        Error = mPid > 0 ? "a process is already running" : "no program to run";
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    }
    pid_t pid = -1;
    const int result = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        Error = "cannot start " + arguments[0] + ": " + std::strerror(result);
        return false;
    }
    mPid = pid;
    Error.clear();
    return true;
}

ProcessRunner::State ProcessRunner::Poll() {
    if (mPid <= 0) {
        return State::Idle;
    }
    int status = 0;
    const pid_t done = waitpid(mPid, &status, WNOHANG);
    if (done == 0) {
        return State::Running;
    }
    mPid = -1;
    if (done < 0) {
        Error = std::string("lost the process: ") + std::strerror(errno);
        return State::Failed;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return State::Succeeded;
    }
    Error = WIFEXITED(status) ? "exited with status " + std::to_string(WEXITSTATUS(status))
                              : "ended by signal " + std::to_string(WTERMSIG(status));
    return State::Failed;
}
