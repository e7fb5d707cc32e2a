#include "object/ContentWarning.h"

#include <cstdio>
#include <utility>

namespace {

ContentWarningListener& Listener() {
    static ContentWarningListener listener;
    return listener;
}

std::vector<std::string>& Unheard() {
    static std::vector<std::string> unheard;
    return unheard;
}

ContentReadCleanListener& ReadCleanListener() {
    static ContentReadCleanListener listener;
    return listener;
}

}  // namespace

void WarnContent(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    // A copy: the listener may replace itself while it runs.
    const ContentWarningListener listener = Listener();
    if (listener) {
        listener(text);
    } else if (Unheard().size() < MaxUnheardContentWarnings) {
        Unheard().push_back(text);
    }
}

std::vector<std::string> TakeUnheardContentWarnings() {
    return std::exchange(Unheard(), {});
}

void SetContentWarningListener(ContentWarningListener listener) {
    Listener() = std::move(listener);
}

void TellContentReadClean(const std::filesystem::path& file) {
    const ContentReadCleanListener listener = ReadCleanListener();
    if (listener) {
        listener(file);
    }
}

void SetContentReadCleanListener(ContentReadCleanListener listener) {
    ReadCleanListener() = std::move(listener);
}
