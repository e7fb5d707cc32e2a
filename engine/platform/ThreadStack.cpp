#include "platform/ThreadStack.h"

#include <pthread.h>
#include <signal.h>

#include <array>
#include <atomic>
#include <boost/stacktrace.hpp>
#include <mutex>
#include <thread>

namespace {

constexpr int kCaptureSignal = SIGUSR2;

// Written by the answering thread inside its handler, so fixed in size: the handler
// may not allocate.
std::array<void*, 128> gFrames;
std::atomic<bool> gRecorded{false};

void RecordOwnStack(int) {
    boost::stacktrace::safe_dump_to(gFrames.data(), sizeof(gFrames));
    gRecorded.store(true, std::memory_order_release);
}

}  // namespace

void SortRegisteredFrameTables() {
    // A walk of our own stack makes the lookups that sort them.
    std::array<void*, 4> frames{};
    boost::stacktrace::safe_dump_to(frames.data(), sizeof(frames));
}

NativeThreadId CurrentThreadId() {
    return static_cast<NativeThreadId>(pthread_self());
}

std::vector<void*> CaptureThreadStack(NativeThreadId thread, std::chrono::milliseconds timeout) {
    static std::mutex oneAtATime;
    const std::lock_guard<std::mutex> lock(oneAtATime);
    gFrames.fill(nullptr);
    gRecorded.store(false, std::memory_order_release);
    // Left installed afterwards: a thread that answers late must not meet the default
    // action, which ends the process.
    struct sigaction action {};
    action.sa_handler = RecordOwnStack;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kCaptureSignal, &action, nullptr);
    // The handler must find them sorted.
    SortRegisteredFrameTables();
    if (pthread_kill(static_cast<pthread_t>(thread), kCaptureSignal) != 0) {
        return {};
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!gRecorded.load(std::memory_order_acquire)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::vector<void*> frames;
    for (void* frame : gFrames) {
        if (frame == nullptr) {
            break;
        }
        frames.push_back(frame);
    }
    return frames;
}
