#include "object/ContentWarning.h"

#include <cstdio>
#include <utility>

namespace {

ContentWarningListener& Listener() {
    static ContentWarningListener listener;
    return listener;
}

}  // namespace

void WarnContent(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    // A copy: the listener may replace itself while it runs.
    const ContentWarningListener listener = Listener();
    if (listener) {
        listener(text);
    }
}

void SetContentWarningListener(ContentWarningListener listener) {
    Listener() = std::move(listener);
}
