#include "object/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace {

// from_chars takes no '+'; the property text accepts one before a number.
std::string_view WithoutPlusSign(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    return text;
}

template <class T>
std::optional<T> ParseWhole(std::string_view text, T value) {
    text = WithoutPlusSign(text);
    const char* end = text.data() + text.size();
    std::from_chars_result result;
    if constexpr (std::is_floating_point_v<T>) {
        result = std::from_chars(text.data(), end, value, std::chars_format::general);
    } else {
        result = std::from_chars(text.data(), end, value, 10);
    }
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string FloatToText(float value) {
    // The same text as "%.9g" of the value, without the cost of printf.
    char buffer[32];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 9);
    return std::string(buffer, result.ptr);
}

std::optional<float> ParseFloat(std::string_view text) {
    const std::optional<float> value = ParseWhole<float>(text, 0.0f);
    if (value && !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseInt(std::string_view text) {
    return ParseWhole<int>(text, 0);
}

std::string FloatToString(float value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof(buffer), "%.2f", static_cast<double>(value));
    if (length < 0 || length >= static_cast<int>(sizeof(buffer))) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(length));
}
