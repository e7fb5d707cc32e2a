#pragma once

#include <optional>
#include <string>
#include <string_view>

// Property text of a float: "%.9g" of the float, so 0.1f is "0.100000001".
std::string FloatToText(float value);
// A whole decimal or exponent number, nothing else: no spaces, no comma, no "inf" or
// "nan", nothing out of the float range.
std::optional<float> ParseFloat(std::string_view text);
// A whole decimal integer in range, with an optional sign.
std::optional<int> ParseInt(std::string_view text);

// On-screen numbers: fixed notation with two decimals, rounded to nearest (1.5 gives
// "1.50", -2 gives "-2.00").
std::string FloatToString(float value);
