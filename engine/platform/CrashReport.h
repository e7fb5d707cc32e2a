#pragma once

#include <filesystem>
#include <string>

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
