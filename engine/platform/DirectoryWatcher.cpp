#include "platform/DirectoryWatcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kWatchedEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE;
constexpr int kPollMilliseconds = 50;

}  // namespace

DirectoryWatcher::DirectoryWatcher(const std::filesystem::path& folder, NameFilter filter)
    : mFilter(std::move(filter)) {
    mFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (mFd < 0) {
        return;
    }
    if (inotify_add_watch(mFd, folder.c_str(), kWatchedEvents) < 0) {
        close(mFd);
        mFd = -1;
        return;
    }
    mThread = std::thread([this] { Run(); });
}

DirectoryWatcher::~DirectoryWatcher() {
    mRunning = false;
    if (mThread.joinable()) {
        mThread.join();
    }
    if (mFd >= 0) {
        close(mFd);
    }
}

void DirectoryWatcher::Run() {
    alignas(inotify_event) std::array<char, 32768> buffer;
    while (mRunning) {
        pollfd waiting{mFd, POLLIN, 0};
        if (poll(&waiting, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        const ssize_t length = read(mFd, buffer.data(), buffer.size());
        for (ssize_t at = 0; length > 0 && at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof(event));
            const char* name = buffer.data() + at + sizeof(inotify_event);
            if (event.len > 0 && (!mFilter || mFilter(std::string(name, strnlen(name, event.len))))) {
                mChanged = true;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
}
