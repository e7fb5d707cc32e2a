#include "platform/CrashReport.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cxxabi.h>
#include <boost/stacktrace.hpp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <typeinfo>
#include <vector>

#include "platform/Paths.h"

namespace {

constexpr int kCrashExitCode = 3;

// Prepared before any crash: the signal path may not allocate.
char gReportPath[4096];
// The fatal-signal handler runs here, so that a stack overflow still gets its report.
alignas(16) char gSignalStack[256 * 1024];

std::string DemangledName(const std::type_info* type) {
    if (type == nullptr) {
        return "unknown exception";
    }
    int status = 0;
    char* name = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name != nullptr ? name : type->name();
    std::free(name);
    return result;
}

std::string DescribeCurrentException() {
    std::exception_ptr current = std::current_exception();
    if (!current) {
        return "std::terminate called without an active exception";
    }
    const std::string type = DemangledName(abi::__cxa_current_exception_type());
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return "uncaught exception " + type + ": " + e.what();
    } catch (...) {
        return "uncaught exception " + type;
    }
}

// otherStacks: sections written before the current thread's stack.
void WriteReport(const std::string& reason, const std::string& otherStacks = "") {
    std::cerr << "Quorvane stopped: " << reason << "\n";
    std::ofstream out(gReportPath, std::ios::trunc);
    if (!out) {
        std::cerr << "Could not write the crash report " << gReportPath << "\n";
        return;
    }
    out << "Quorvane crash report\n"
        << "Reason: " << reason << "\n\n"
        << otherStacks << (otherStacks.empty() ? "Stack:\n" : "Stack of the reporting thread:\n")
        << boost::stacktrace::stacktrace();
    std::cerr << "Crash report written to " << gReportPath << "\n";
}

void SetDefaultReportPath() {
    if (gReportPath[0] == '\0') {
        std::snprintf(gReportPath, sizeof(gReportPath), "%s", GetCrashReportPath().string().c_str());
    }
}

void OnTerminate() {
    WriteReport(DescribeCurrentException());
    _exit(kCrashExitCode);
}

// Async-signal-safe writers: no allocation, no stdio.
void WriteText(int fd, const char* text) {
    ssize_t unused = write(fd, text, std::strlen(text));
    (void)unused;
}

void WriteHex(int fd, uintptr_t value) {
    char digits[2 + sizeof(uintptr_t) * 2 + 1];
    digits[0] = '0';
    digits[1] = 'x';
    for (size_t i = 0; i < sizeof(uintptr_t) * 2; ++i) {
        const unsigned nibble = (value >> ((sizeof(uintptr_t) * 2 - 1 - i) * 4)) & 0xF;
        digits[2 + i] = "0123456789abcdef"[nibble];
    }
    digits[sizeof(digits) - 1] = '\0';
    WriteText(fd, digits);
}

const char* SignalName(int signal) {
    switch (signal) {
        case SIGSEGV: return "SIGSEGV (invalid memory access)";
        case SIGABRT: return "SIGABRT (abort)";
        case SIGFPE: return "SIGFPE (arithmetic error)";
        case SIGILL: return "SIGILL (illegal instruction)";
        case SIGBUS: return "SIGBUS (bus error)";
        default: return "fatal signal";
    }
}

void OnFatalSignal(int signal) {
    const char* name = SignalName(signal);
    WriteText(STDERR_FILENO, "Quorvane stopped: ");
    WriteText(STDERR_FILENO, name);
    WriteText(STDERR_FILENO, "\n");

    const int fd = open(gReportPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        WriteText(fd, "Quorvane crash report\nReason: ");
        WriteText(fd, name);
        WriteText(fd, "\n\nStack (return addresses):\n");
        void* frames[64];
        const size_t count = boost::stacktrace::safe_dump_to(frames, sizeof(frames));
        for (size_t i = 0; i < count && frames[i] != nullptr; ++i) {
            WriteText(fd, "  ");
            WriteHex(fd, reinterpret_cast<uintptr_t>(frames[i]));
            WriteText(fd, "\n");
        }
        close(fd);
        WriteText(STDERR_FILENO, "Crash report written to ");
        WriteText(STDERR_FILENO, gReportPath);
        WriteText(STDERR_FILENO, "\n");
    }
    _exit(128 + signal);
}

}  // namespace

std::filesystem::path GetCrashReportPath() {
    return GetProgramFolder() / "CrashInfo.dmp";
}

void InstallCrashHandlers(const std::filesystem::path& reportPath) {
    std::snprintf(gReportPath, sizeof(gReportPath), "%s", reportPath.string().c_str());

    std::set_terminate(OnTerminate);

    stack_t signalStack{};
    signalStack.ss_sp = gSignalStack;
    signalStack.ss_size = sizeof(gSignalStack);
    sigaltstack(&signalStack, nullptr);

    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS}) {
        sigaction(signal, &action, nullptr);
    }
}

void ReportFatalError(const std::string& reason) {
    SetDefaultReportPath();
    WriteReport(reason);
    _exit(kCrashExitCode);
}

void ReportStalledThread(const std::string& reason, NativeThreadId stalled, const std::string& threadName) {
    SetDefaultReportPath();
    const std::vector<void*> frames = CaptureThreadStack(stalled, std::chrono::seconds(1));
    std::ostringstream section;
    section << "Stack of the " << threadName << ":\n";
    if (frames.empty()) {
        section << "  (the thread did not give its stack)\n";
    } else {
        section << boost::stacktrace::stacktrace::from_dump(frames.data(), frames.size() * sizeof(void*));
    }
    section << "\n";
    WriteReport(reason, section.str());
    _exit(kCrashExitCode);
}
