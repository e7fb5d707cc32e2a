#pragma once

#include <cstddef>
#include <string>

// The system clipboard's plain text, cut to at most maxChars characters; "" when the
// clipboard holds no text or cannot be read.
std::string ReadClipboardText(size_t maxChars);
// Replaces the clipboard's content with the text. False when the system refused.
bool WriteClipboardText(const std::string& text);
