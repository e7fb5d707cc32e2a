#include "platform/window/NoWindowError.h"

#include <cstdlib>

namespace {

// DISPLAY=":0", or DISPLAY not set.
std::string DescribeVariable(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::string(variable) + "=\"" + value + "\"" : std::string(variable) + " not set";
}

std::string DisplaysTried() {
    std::string tried = DescribeVariable("DISPLAY");
    if (std::getenv("WAYLAND_DISPLAY") != nullptr) {
        tried += ", " + DescribeVariable("WAYLAND_DISPLAY");
    }
    return tried;
}

}  // namespace

NoWindowError::NoWindowError(const std::string& what, const std::string& reason)
    : std::runtime_error("no window could be opened: " + what + " (" + DisplaysTried() + "; " + reason + ")") {}
