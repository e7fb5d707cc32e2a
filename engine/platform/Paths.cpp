#include "platform/Paths.h"

#include <cstdlib>
#include <system_error>

namespace {

std::filesystem::path ProgramPath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("quorvane") : path;
}

}  // namespace

std::filesystem::path GetProgramFolder() {
    return ProgramPath().parent_path();
}

std::string GetProgramStem() {
    return ProgramPath().stem().string();
}

std::filesystem::path GetUserDataFolder() {
    std::filesystem::path base;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return base / GetProgramStem();
}
