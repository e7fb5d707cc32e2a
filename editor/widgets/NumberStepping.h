#pragma once

#include <optional>
#include <string>

// The arrow-key stepping of a text field. An integer text (blanks around allowed)
// steps by the step truncated toward zero; a decimal number text by the step itself,
// written with 17 significant digits. Anything else, and an integer outside the int
// range before or after the step, gives nothing.
std::optional<std::string> StepNumberText(const std::string& text, double step);
