#pragma once

#include <filesystem>
#include <string>

#include "platform/ThreadStack.h"

// "CrashInfo.dmp" beside the program.
std::filesystem::path GetCrashReportPath();

// Writes the crash report for uncaught exceptions (std::terminate) and fatal signals,
// prints the reason on standard error and ends the process with a non-zero status.
// Signals are handled on a stack of their own (for the calling thread), so a stack
// overflow is reported too. Tests give a path of their own.
void InstallCrashHandlers(const std::filesystem::path& reportPath = GetCrashReportPath());

// Writes the report with the reason and the current stack, prints the reason and ends
// the process with a non-zero status. For failures found by our own code (the watchdog).
[[noreturn]] void ReportFatalError(const std::string& reason);

// ReportFatalError for a thread that another thread found stalled (the main loop, seen
// by the watchdog): the report holds the stalled thread's stack, under its name, before
// the reporting thread's own. A stalled thread that does not give its stack within a
// second is reported as such.
[[noreturn]] void ReportStalledThread(const std::string& reason, NativeThreadId stalled, const std::string& threadName);
