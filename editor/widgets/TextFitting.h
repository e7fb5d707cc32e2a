#pragma once

#include <cstddef>
#include <string>

class TextCmp;

// Texts held to the box they are shown in: wrapped texts to a few lines, one-line texts
// to a width. Measured in the text's own font and size, as it is drawn.
namespace TextFitting {

constexpr const char* Ellipsis = "...";

// The whole text when it wraps into maxLines at the text's box width; else its longest
// beginning that does with the ellipsis after it. Unchanged without a font.
std::string FitToLines(const TextCmp& text, const std::string& whole, int maxLines);

// The height the text takes as laid out, at least one line; one line without a font.
float LaidOutHeight(const TextCmp& text);

// The width of the characters on one line, unwrapped; 0 without a font.
float LineWidth(const TextCmp& text, const std::string& line);

// The whole text and the tail after it when they fit the width on one line; else the
// longest beginning of the text that does with the ellipsis and the tail after it. The
// tail is always kept. Unchanged without a font.
std::string CutToWidth(const TextCmp& text, const std::string& whole, float width, const std::string& tail = "");

// A one-line field being typed in: the text with caretMark at the caret, starting at
// *first and cut where the width ends. *first moves no further from where it was than
// keeps the caret inside the width, and back while that leaves room unused at the end.
// Without a font the whole text with the mark, from 0.
std::string ScrollToCaret(const TextCmp& text, const std::string& whole, size_t caret, const std::string& caretMark,
                          float width, size_t* first);

}  // namespace TextFitting
