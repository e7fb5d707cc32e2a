#include "runtime/Watchdog.h"

#include "platform/Clock.h"
#include "platform/CrashReport.h"
#include "platform/Thread.h"

std::atomic<int64_t> gHeartbeat{0};

Watchdog::Watchdog(Clock& clock, const std::atomic<int64_t>& heartbeat)
    : mClock(clock), mHeartbeat(heartbeat) {}

bool Watchdog::IsHung() const {
    if (!mArmed.load()) {
        return false;
    }
    const int64_t limit = HangSeconds * mClock.TicksPerSecond();
    const int64_t age = mClock.Now() - mHeartbeat.load(std::memory_order_relaxed);
    return age > limit;
}

void Watchdog::Run() {
    for (;;) {
        if (IsHung()) {
            ReportFatalError("the main thread has not completed a pass for more than 5 seconds");
        }
        mClock.SleepMs(1000);
    }
}

void Watchdog::StartThread() {
    StartDetachedThread([this] { Run(); });
}
