#include "platform/Clock.h"

#include <chrono>
#include <thread>

int64_t SystemClock::Now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SystemClock::SleepMs(uint32_t ms) {
    // Sleep(0) still yields, as the loop expects when less than one period remains.
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SystemClock& GetSystemClock() {
    static SystemClock clock;
    return clock;
}
