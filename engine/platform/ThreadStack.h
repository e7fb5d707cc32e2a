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

// Readies the unwinder for walking a stack inside a signal handler. It sorts the frame
// tables registered at run time (a JIT's, such as a software OpenGL driver's shaders) on
// its first lookup after each registration, allocating as it does; in a handler that
// allocation may land inside a malloc the signal interrupted and corrupt the heap, or wait
// forever on its lock. Call it outside handlers, now and then: the stack capture does
// just before it signals, and the watchdog at each look.
void SortRegisteredFrameTables();
