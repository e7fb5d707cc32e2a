#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

// A running thread, as another thread names it to ask for its stack.
using NativeThreadId = uint64_t;

// The calling thread.
NativeThreadId CurrentThreadId();

// The return addresses of another thread's stack, innermost first, as that thread
// records them itself in a signal handler: a stack can only be walked by its own
// thread. Empty when the thread did not answer within the timeout. One capture at a
// time; the thread must not block the signal (SIGUSR2).
std::vector<void*> CaptureThreadStack(NativeThreadId thread, std::chrono::milliseconds timeout);
