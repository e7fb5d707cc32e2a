#include "editor/widgets/NumberStepping.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <regex>

namespace {

bool IsIntegerText(const std::string& text) {
    static const std::regex integer(R"(^\s*[-+]?\d+\s*$)");
    return std::regex_match(text, integer);
}

// The leading decimal integer of an integer text; nothing when it does not fit an int.
std::optional<int> ParseInteger(const std::string& text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && std::isspace(static_cast<unsigned char>(*first))) {
        ++first;
    }
    // from_chars takes a minus sign but no plus sign.
    if (first != last && *first == '+') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

bool IsDecimalNumber(const std::string& text) {
    static const std::regex number(R"(^[-+]?[0-9]*\.?[0-9]+$)");
    return std::regex_match(text, number);
}

std::string FormatDouble(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 17, value);
    return buffer;
}

}  // namespace

std::optional<std::string> StepNumberText(const std::string& text, double step) {
    if (IsIntegerText(text)) {
        const std::optional<int> value = ParseInteger(text);
        if (!value) {
            return std::nullopt;
        }
        const int64_t stepped = static_cast<int64_t>(*value) + static_cast<int64_t>(step);
        if (stepped < std::numeric_limits<int>::min() || stepped > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
        return std::to_string(stepped);
    }
    if (IsDecimalNumber(text)) {
        return FormatDouble(std::strtod(text.c_str(), nullptr) + step);
    }
    return std::nullopt;
}
