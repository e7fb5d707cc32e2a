#pragma once

#include <cstddef>
#include <string>

// Plain text on the system clipboard, for the editor's text fields.
namespace Clipboard {

constexpr size_t MaxReadLength = 1024;

// At most MaxReadLength characters; "" when the clipboard holds no text.
std::string GetText();
// Does nothing when the system refuses.
void SetText(const std::string& text);

}  // namespace Clipboard
