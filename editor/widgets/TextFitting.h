#pragma once

#include <string>

class TextCmp;

// Wrapped texts held to a few lines, for messages in a narrow palette row.
namespace TextFitting {

constexpr const char* Ellipsis = "...";

// The whole text when it wraps into maxLines at the text's box width; else its longest
// beginning that does with the ellipsis after it. Unchanged without a font.
std::string FitToLines(const TextCmp& text, const std::string& whole, int maxLines);

// The height the text takes as laid out, at least one line; one line without a font.
float LaidOutHeight(const TextCmp& text);

}  // namespace TextFitting
