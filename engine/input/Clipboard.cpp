#include "input/Clipboard.h"

#include "platform/window/ClipboardText.h"

namespace Clipboard {

std::string GetText() {
    return ReadClipboardText(MaxReadLength);
}

void SetText(const std::string& text) {
    WriteClipboardText(text);
}

}  // namespace Clipboard
