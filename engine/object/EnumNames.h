#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// One row of an enumeration's text table.
template <class E>
struct EnumName {
    E Value;
    const char* Name;
};

// The name of value in table, or "" for a value without a name.
template <class E>
const char* FindEnumName(std::span<const EnumName<E>> table, E value) {
    for (const EnumName<E>& row : table) {
        if (row.Value == value) {
            return row.Name;
        }
    }
    return "";
}

// The value named text exactly (case-sensitive, whole string), if any.
template <class E>
std::optional<E> FindEnumValue(std::span<const EnumName<E>> table, std::string_view text) {
    for (const EnumName<E>& row : table) {
        if (text == row.Name) {
            return row.Value;
        }
    }
    return std::nullopt;
}
