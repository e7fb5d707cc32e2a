#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/Clock.h"
#include "platform/CrashReport.h"
#include "runtime/Watchdog.h"

namespace {

// Each test writes its own report, removed first, so tests may run side by side.
std::filesystem::path ReportPath() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path() /
           (std::string("quorvane-crash-") + info->name() + ".dmp");
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

TEST(WatchdogTest, OnlyAHeartbeatOlderThanFiveSecondsIsAHang) {
    GetSystemClock();
    struct FixedClock final : Clock {
        int64_t Now() const override { return NowTicks; }
        int64_t TicksPerSecond() const override { return 1000; }
        uint32_t TimerResolutionMs() const override { return 1; }
        void SleepMs(uint32_t) override {}
        int64_t NowTicks = 0;
    } clock;
    std::atomic<int64_t> heartbeat{10000};
    Watchdog watchdog(clock, heartbeat);
    clock.NowTicks = 15000;
    EXPECT_FALSE(watchdog.IsHung());
    clock.NowTicks = 15001;
    EXPECT_TRUE(watchdog.IsHung());
    watchdog.Disarm();
    EXPECT_FALSE(watchdog.IsHung());
}

TEST(WatchdogDeathTest, StuckMainThreadEndsInACrashReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::remove(ReportPath());
            InstallCrashHandlers(ReportPath());
            SystemClock& clock = GetSystemClock();
            gHeartbeat.store(clock.Now());
            static Watchdog watchdog(clock, gHeartbeat);
            watchdog.StartThread();
            // The main thread stops stamping its heartbeat.
            std::this_thread::sleep_for(std::chrono::seconds(30));
        },
        ::testing::ExitedWithCode(3), "more than 5 seconds");
    EXPECT_NE(ReadCrashReport().find("more than 5 seconds"), std::string::npos);
}

}  // namespace
