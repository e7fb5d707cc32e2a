#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

// A FIFO made at a path for as long as the object lives, with a thread that opens its
// other end every few milliseconds: code that opens it and waits there (for a writer
// or a reader that never comes) is let go and reads an empty file or writes into the
// void, so a test of that fault fails instead of hanging. The FIFO is left alone once
// something else stands at the path. Writes with no reader fail instead of raising
// SIGPIPE while it lives.
class ScopedFifo {
public:
    explicit ScopedFifo(std::filesystem::path path) : mPath(std::move(path)) {
        struct stat status = {};
        if (mkfifo(mPath.c_str(), 0644) != 0 || lstat(mPath.c_str(), &status) != 0) {
            throw std::runtime_error("cannot make a FIFO at " + mPath.string());
        }
        mInode = status.st_ino;
        mPreviousPipeHandler = signal(SIGPIPE, SIG_IGN);
        mThread = std::thread([this] { LetWaitersGo(); });
    }
    ~ScopedFifo() {
        mStop = true;
        mThread.join();
        signal(SIGPIPE, mPreviousPipeHandler);
    }
    ScopedFifo(const ScopedFifo&) = delete;
    ScopedFifo& operator=(const ScopedFifo&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

private:
    // The descriptor when the path still names this FIFO, else -1.
    int OpenOurs(int flags) const {
        const int descriptor = open(mPath.c_str(), flags | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        struct stat status = {};
        if (descriptor >= 0 && (fstat(descriptor, &status) != 0 || status.st_ino != mInode)) {
            close(descriptor);
            return -1;
        }
        return descriptor;
    }

    void LetWaitersGo() const {
        using namespace std::chrono_literals;
        while (!mStop) {
            std::this_thread::sleep_for(10ms);
            // Succeeds only while a reader has it open: the reader then reads its end.
            if (const int writer = OpenOurs(O_WRONLY); writer >= 0) {
                close(writer);
            }
            // A waiting writer gets on and writes; what it writes is taken until it closes.
            if (const int reader = OpenOurs(O_RDONLY); reader >= 0) {
                std::this_thread::sleep_for(20ms);
                char bytes[4096];
                for (int idle = 0; idle < 50 && !mStop;) {
                    const ssize_t got = read(reader, bytes, sizeof(bytes));
                    if (got == 0) {
                        break;
                    }
                    idle = got > 0 ? 0 : idle + 1;
                    std::this_thread::sleep_for(2ms);
                }
                close(reader);
            }
        }
    }

    std::filesystem::path mPath;
    ino_t mInode = 0;
    void (*mPreviousPipeHandler)(int) = SIG_DFL;
    std::atomic<bool> mStop{false};
    std::thread mThread;
};
