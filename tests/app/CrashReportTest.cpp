#include <gtest/gtest.h>
#include <pthread.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "app/Watchdog.h"
#include "platform/Clock.h"
#include "platform/CrashReport.h"
#include "platform/ThreadStack.h"

#if defined(__SANITIZE_ADDRESS__)
#define QV_SEES_ALLOCATIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_SEES_ALLOCATIONS 1
#endif
#endif

#ifdef QV_SEES_ALLOCATIONS
// From the sanitizer runtime (GCC installs no header for it): called on every allocation.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));
// The unwinder's entry points through which a JIT hands over the frame tables of its code.
extern "C" void __register_frame(void* begin);
extern "C" void __deregister_frame(void* begin);
#endif

namespace {

// Each test writes its own report, removed first, so tests may run side by side.
std::filesystem::path ReportPath() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path() / (std::string("quorvane-crash-") + info->name() + ".dmp");
}

std::string ReadCrashReport() {
    std::ifstream in(ReportPath());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CrashReportDeathTest, UncaughtExceptionWritesItsTypeAndMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            // Escapes a thread body, so nothing can catch it.
            std::thread([] { throw std::runtime_error("Content/Prefabs/Foo.json: broken"); }).join();
        },
        ::testing::ExitedWithCode(3), "uncaught exception std::runtime_error: Content/Prefabs/Foo.json: broken");
    const std::string text = ReadCrashReport();
    EXPECT_NE(text.find("Content/Prefabs/Foo.json: broken"), std::string::npos);
    EXPECT_NE(text.find("Stack"), std::string::npos);
}

TEST(CrashReportDeathTest, FatalSignalWritesTheSignal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            raise(SIGFPE);
        },
        ::testing::ExitedWithCode(128 + SIGFPE), "SIGFPE");
    EXPECT_NE(ReadCrashReport().find("SIGFPE"), std::string::npos);
}

// Never set: it only keeps the compiler from seeing that the recursion cannot end.
volatile bool gStopRecursion = false;

// Each call keeps a frame of its own; the volatile buffer stops the compiler from
// turning the recursion into a loop.
int RecurseForever(int depth) {
    if (gStopRecursion) {
        return 0;
    }
    volatile char frame[512];
    frame[depth % sizeof(frame)] = static_cast<char>(depth);
    return RecurseForever(depth + 1) + frame[0];
}

TEST(CrashReportDeathTest, AStackOverflowStillWritesTheReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            RecurseForever(0);
        },
        ::testing::ExitedWithCode(128 + SIGSEGV), "Crash report written");
    EXPECT_NE(ReadCrashReport().find("SIGSEGV"), std::string::npos);
}

// Thread-safe: the watchdog thread reads it while the test moves it.
class SteppedClock final : public Clock {
public:
    int64_t Now() const override {
        std::lock_guard<std::mutex> lock(mMutex);
        mReaders.insert(std::this_thread::get_id());
        ++mReads;
        return mNow;
    }
    int64_t TicksPerSecond() const override { return 1000; }
    uint32_t TimerResolutionMs() const override { return 1; }
    void SleepMs(uint32_t) override {}

    void Set(int64_t now) {
        std::lock_guard<std::mutex> lock(mMutex);
        mNow = now;
    }
    int Reads() const {
        std::lock_guard<std::mutex> lock(mMutex);
        return mReads;
    }
    size_t ReaderThreads() const {
        std::lock_guard<std::mutex> lock(mMutex);
        return mReaders.size();
    }
    // Polls until the clock has been read more than count times; false after 10 s.
    bool WaitForReadsBeyond(int count) const {
        for (int i = 0; i < 10000 && Reads() <= count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return Reads() > count;
    }

private:
    mutable std::mutex mMutex;
    mutable std::set<std::thread::id> mReaders;
    mutable int mReads = 0;
    int64_t mNow = 0;
};

constexpr std::chrono::milliseconds kFastPoll(2);

std::string HangPattern() {
    return "more than " + std::to_string(Watchdog::HangSeconds) + " seconds";
}

TEST(WatchdogTest, OnlyAnArmedWatchdogWithAHeartbeatOlderThanTheLimitIsHung) {
    SteppedClock clock;
    std::atomic<int64_t> heartbeat{10000};
    Watchdog watchdog(clock, heartbeat);
    clock.Set(10000 + Watchdog::HangSeconds * 1000 + 1);
    EXPECT_FALSE(watchdog.IsHung());

    clock.Set(10000);
    watchdog.Arm();
    clock.Set(10000 + Watchdog::HangSeconds * 1000);
    EXPECT_FALSE(watchdog.IsHung());
    watchdog.Disarm();
    clock.Set(10000 + Watchdog::HangSeconds * 1000 + 1);
    EXPECT_FALSE(watchdog.IsHung());
}

// The application arms the watchdog at every run of its loop: one thread for all of
// them, and none left reading the application's clock once the watchdog is gone.
TEST(WatchdogTest, ArmingAgainReusesTheThreadAndDestructionRetiresIt) {
    SteppedClock clock;
    std::atomic<int64_t> heartbeat{0};
    auto watchdog = std::make_unique<Watchdog>(clock, heartbeat, kFastPoll);
    watchdog->Arm();
    ASSERT_TRUE(clock.WaitForReadsBeyond(0));
    watchdog->Disarm();
    watchdog->Arm();
    ASSERT_TRUE(clock.WaitForReadsBeyond(clock.Reads() + 5));
    EXPECT_EQ(clock.ReaderThreads(), 1u);

    watchdog.reset();
    const int readsAtDestruction = clock.Reads();
    std::this_thread::sleep_for(kFastPoll * 25);
    EXPECT_EQ(clock.Reads(), readsAtDestruction);
}

TEST(WatchdogDeathTest, AHangOnTheWatchedClockEndsInACrashReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            // Only the watched clock moves: real time barely passes.
            static SteppedClock clock;
            static std::atomic<int64_t> heartbeat{0};
            static Watchdog watchdog(clock, heartbeat, kFastPoll);
            watchdog.Arm();
            watchdog.Disarm();
            clock.Set(Watchdog::HangSeconds * 1000 + 1);
            std::this_thread::sleep_for(kFastPoll * 25);
            std::fprintf(stderr, "still running while disarmed\n");
            watchdog.Arm();
            std::this_thread::sleep_for(std::chrono::seconds(30));
        },
        ::testing::ExitedWithCode(3), "still running while disarmed.*" + HangPattern());
    EXPECT_NE(ReadCrashReport().find(HangPattern()), std::string::npos);
}

// Stands for a main loop stuck in a pass; the hang report must show it by name.
__attribute__((noinline)) void StallTheMainLoopForAMinute() {
    for (int second = 0; second < 60; ++second) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    gStopRecursion = false;  // no tail call: this frame stays on the stack
}

TEST(WatchdogDeathTest, AHangReportHoldsTheStalledMainThreadsStack) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            static SteppedClock clock;
            static std::atomic<int64_t> heartbeat{0};
            static Watchdog watchdog(clock, heartbeat, kFastPoll);
            watchdog.Arm();
            clock.Set(Watchdog::HangSeconds * 1000 + 1);
            StallTheMainLoopForAMinute();
        },
        ::testing::ExitedWithCode(3), HangPattern());
    const std::string report = ReadCrashReport();
    const size_t mainStack = report.find("Stack of the main thread:");
    const size_t ownStack = report.find("Stack of the reporting thread:");
    ASSERT_NE(mainStack, std::string::npos) << report;
    ASSERT_NE(ownStack, std::string::npos) << report;
    ASSERT_LT(mainStack, ownStack) << report;
    const std::string main = report.substr(mainStack, ownStack - mainStack);
    EXPECT_NE(main.find("StallTheMainLoopForAMinute"), std::string::npos) << report;
    EXPECT_EQ(main.find("Watchdog::Watch"), std::string::npos) << report;
    EXPECT_NE(report.substr(ownStack).find("Watchdog::Watch"), std::string::npos) << report;
}

#ifdef QV_SEES_ALLOCATIONS

// A signal handler that allocates may land inside a malloc it interrupted. The hook sees
// every allocation of the watched thread while watching is on.
std::atomic<bool> gWatchingAllocations{false};
std::atomic<pthread_t> gWatchedThread{};
std::atomic<int> gWatchedAllocations{0};

void SeeAllocation(const volatile void*, size_t) {
    if (gWatchingAllocations.load() && pthread_equal(pthread_self(), gWatchedThread.load())) {
        gWatchedAllocations.fetch_add(1);
    }
}

void IgnoreFree(const volatile void*) {}

void WatchAllocationsOf(pthread_t thread) {
    static const int installed = __sanitizer_install_malloc_and_free_hooks(SeeAllocation, IgnoreFree);
    (void)installed;
    gWatchedThread.store(thread);
    gWatchedAllocations.store(0);
    gWatchingAllocations.store(true);
}

// Stands for a JIT's code: the frame table below claims its bytes.
alignas(16) unsigned char gJitCode[64];

// One CIE and one FDE over gJitCode, then the terminator, registered as a JIT does (the
// software OpenGL driver registers one per compiled shader).
class JitFrameTable {
public:
    JitFrameTable() {
        const uint32_t cieLength = 12;
        const uint32_t fdeLength = 20;
        const uint32_t cieOffset = 20;  // from the FDE's CIE pointer back to the CIE
        const uint64_t codeBegin = reinterpret_cast<uintptr_t>(gJitCode);
        const uint64_t codeSize = sizeof(gJitCode);
        // CIE id 0, version 1, no augmentation, code and data alignment, return address
        // register, padding.
        const unsigned char cie[] = {0, 0, 0, 0, 1, 0, 1, 0x78, 16, 0, 0, 0};
        std::memcpy(&mBytes[0], &cieLength, 4);
        std::memcpy(&mBytes[4], cie, sizeof(cie));
        std::memcpy(&mBytes[16], &fdeLength, 4);
        std::memcpy(&mBytes[20], &cieOffset, 4);
        std::memcpy(&mBytes[24], &codeBegin, 8);
        std::memcpy(&mBytes[32], &codeSize, 8);
        __register_frame(mBytes.data());
    }
    ~JitFrameTable() { __deregister_frame(mBytes.data()); }

    JitFrameTable(const JitFrameTable&) = delete;
    JitFrameTable& operator=(const JitFrameTable&) = delete;

private:
    alignas(8) std::array<unsigned char, 48> mBytes{};
};

TEST(StackCaptureTest, TheCapturedThreadAllocatesNothingInItsHandlerAfterAJitRegisteredFrameTables) {
    std::atomic<NativeThreadId> spinnerId{0};
    std::atomic<bool> stop{false};
    std::thread spinner([&] {
        spinnerId.store(CurrentThreadId());
        while (!stop.load()) {
        }
    });
    while (spinnerId.load() == 0) {
        std::this_thread::yield();
    }
    std::vector<void*> frames;
    {
        const JitFrameTable table;
        WatchAllocationsOf(static_cast<pthread_t>(spinnerId.load()));
        frames = CaptureThreadStack(spinnerId.load(), std::chrono::seconds(5));
        gWatchingAllocations.store(false);
    }
    stop.store(true);
    spinner.join();
    EXPECT_FALSE(frames.empty()) << "the spinning thread did not give its stack";
    EXPECT_EQ(gWatchedAllocations.load(), 0) << "the capture signal's handler allocated";
}

#endif

}  // namespace
