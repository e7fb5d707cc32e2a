#include "platform/window/ClipboardText.h"

#include <SDL.h>

#include <memory>

namespace {

struct SdlFree {
    void operator()(char* text) const { SDL_free(text); }
};

}  // namespace

std::string ReadClipboardText(size_t maxChars) {
    if (SDL_HasClipboardText() != SDL_TRUE) {
        return "";
    }
    const std::unique_ptr<char, SdlFree> text(SDL_GetClipboardText());
    if (!text) {
        return "";
    }
    std::string result(text.get());
    if (result.size() > maxChars) {
        result.resize(maxChars);
    }
    return result;
}

bool WriteClipboardText(const std::string& text) {
    return SDL_SetClipboardText(text.c_str()) == 0;
}
