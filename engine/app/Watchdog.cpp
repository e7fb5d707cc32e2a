#include "app/Watchdog.h"

#include <condition_variable>
#include <mutex>
#include <string>

#include "platform/Clock.h"
#include "platform/CrashReport.h"
#include "platform/Thread.h"
#include "platform/ThreadStack.h"

std::atomic<int64_t> gHeartbeat{0};

// Shared with the detached thread, which may outlive the Watchdog: the clock and the
// heartbeat are read only under the lock and only until Retired is set.
struct Watchdog::State {
    State(Clock& clock, const std::atomic<int64_t>& heartbeat, std::chrono::milliseconds pollInterval)
        : WatchedClock(&clock), Heartbeat(&heartbeat), PollInterval(pollInterval) {}

    bool IsHungLocked() const {
        if (!Armed || Retired) {
            return false;
        }
        const int64_t limit = HangSeconds * WatchedClock->TicksPerSecond();
        const int64_t age = WatchedClock->Now() - Heartbeat->load(std::memory_order_relaxed);
        return age > limit;
    }

    mutable std::mutex Mutex;
    std::condition_variable Wake;
    Clock* WatchedClock;
    const std::atomic<int64_t>* Heartbeat;
    const std::chrono::milliseconds PollInterval;
    // The thread that armed the watchdog: the main loop's.
    NativeThreadId WatchedThread = 0;
    bool Armed = false;
    bool ThreadStarted = false;
    bool Retired = false;
};

void Watchdog::Watch(const std::shared_ptr<State>& state) {
    const std::string reason =
        "the main thread has not completed a pass for more than " + std::to_string(HangSeconds) + " seconds";
    std::unique_lock<std::mutex> lock(state->Mutex);
    while (!state->Retired) {
        // Keeps the crash handlers' stack walks free of allocation.
        SortRegisteredFrameTables();
        if (state->IsHungLocked()) {
            ReportStalledThread(reason, state->WatchedThread, "main thread");
        }
        state->Wake.wait_for(lock, state->PollInterval, [&state] { return state->Retired; });
    }
}

Watchdog::Watchdog(Clock& clock, const std::atomic<int64_t>& heartbeat, std::chrono::milliseconds pollInterval)
    : mState(std::make_shared<State>(clock, heartbeat, pollInterval)) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mState->Mutex);
        mState->Retired = true;
        mState->Armed = false;
    }
    mState->Wake.notify_all();
}

bool Watchdog::IsHung() const {
    std::lock_guard<std::mutex> lock(mState->Mutex);
    return mState->IsHungLocked();
}

void Watchdog::Arm() {
    std::lock_guard<std::mutex> lock(mState->Mutex);
    mState->Armed = true;
    mState->WatchedThread = CurrentThreadId();
    if (!mState->ThreadStarted) {
        mState->ThreadStarted = true;
        StartDetachedThread([state = mState] { Watch(state); });
    }
}

void Watchdog::Disarm() {
    std::lock_guard<std::mutex> lock(mState->Mutex);
    mState->Armed = false;
}
