#include <gtest/gtest.h>
#include <pthread.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/ThreadStack.h"

#if defined(__SANITIZE_ADDRESS__)
#define QV_COUNTS_ALLOCATIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_COUNTS_ALLOCATIONS 1
#endif
#endif

#ifdef QV_COUNTS_ALLOCATIONS
// From the sanitizer runtime (GCC installs no header for it): called on every allocation.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));
// The unwinder's entry points a JIT uses to hand over the frame tables of its code.
extern "C" void __register_frame(void* begin);
extern "C" void __deregister_frame(void* begin);

namespace {

std::atomic<bool> gCounting{false};
std::atomic<pthread_t> gCountedThread{};
std::atomic<int> gAllocations{0};

void CountAllocation(const volatile void*, size_t) {
    if (gCounting.load() && pthread_equal(pthread_self(), gCountedThread.load())) {
        gAllocations.fetch_add(1);
    }
}

void IgnoreFree(const volatile void*) {}

// Stands for a JIT's code: the frame table below claims its bytes.
alignas(16) unsigned char gJitCode[64];

// One CIE and one FDE over gJitCode, then the terminator, as a JIT registers them.
struct FrameTable {
    alignas(8) std::array<unsigned char, 48> Bytes{};

    FrameTable() {
        const uint32_t cieLength = 12;
        const uint32_t fdeLength = 20;
        const uint32_t cieOffset = 20;  // from the FDE's CIE pointer back to the CIE
        const uint64_t codeBegin = reinterpret_cast<uintptr_t>(gJitCode);
        const uint64_t codeSize = sizeof(gJitCode);
        std::memcpy(&Bytes[0], &cieLength, 4);
        // CIE id 0, version 1, no augmentation, code and data alignment, return address
        // register, then padding.
        const unsigned char cie[] = {0, 0, 0, 0, 1, 0, 1, 0x78, 16, 0, 0, 0};
        std::memcpy(&Bytes[4], cie, sizeof(cie));
        std::memcpy(&Bytes[16], &fdeLength, 4);
        std::memcpy(&Bytes[20], &cieOffset, 4);
        std::memcpy(&Bytes[24], &codeBegin, 8);
        std::memcpy(&Bytes[32], &codeSize, 8);
    }
};

}  // namespace

TEST(ThreadStackTest, TheAnsweringThreadAllocatesNothingAfterAJitRegisteredFrameTables) {
    __sanitizer_install_malloc_and_free_hooks(CountAllocation, IgnoreFree);
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

    static FrameTable table;
    __register_frame(table.Bytes.data());
    gCountedThread.store(static_cast<pthread_t>(spinnerId.load()));
    gAllocations.store(0);
    gCounting.store(true);
    const std::vector<void*> frames = CaptureThreadStack(spinnerId.load(), std::chrono::seconds(5));
    gCounting.store(false);
    stop.store(true);
    spinner.join();
    __deregister_frame(table.Bytes.data());

    EXPECT_FALSE(frames.empty()) << "the spinning thread did not give its stack";
    // An allocation inside the handler may land in the middle of one the thread was making.
    EXPECT_EQ(gAllocations.load(), 0) << "the signal handler allocated on the interrupted thread";
}

#endif
