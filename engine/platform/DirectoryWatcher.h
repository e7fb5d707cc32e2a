#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

// Watches one folder (not its subfolders) on a thread of its own and raises a flag when
// a file whose name passes the filter is written, created, moved or deleted there. The
// thread polls every 50 ms and is joined when the watcher goes.
class DirectoryWatcher {
public:
    using NameFilter = std::function<bool(const std::string& fileName)>;

    // A folder that cannot be watched leaves the watcher inactive.
    DirectoryWatcher(const std::filesystem::path& folder, NameFilter filter);
    ~DirectoryWatcher();
    DirectoryWatcher(const DirectoryWatcher&) = delete;
    DirectoryWatcher& operator=(const DirectoryWatcher&) = delete;

    bool IsActive() const { return mFd >= 0; }
    // Whether a change came since the last call; clears the flag.
    bool TakeChange() { return mChanged.exchange(false); }

private:
    void Run();

    NameFilter mFilter;
    int mFd = -1;
    std::atomic<bool> mRunning{true};
    std::atomic<bool> mChanged{false};
    std::thread mThread;
};
