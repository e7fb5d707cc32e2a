#include "assets/SkippedElements.h"

#include "object/ContentWarning.h"

void SkippedElements::Add(const std::string& element, const std::string& problem) {
    if (mCount++ == 0) {
        mFirst = element + " left out: " + problem;
    }
}

void SkippedElements::Tell() const {
    if (mCount == 0) {
        return;
    }
    std::string text = mFile.generic_string() + ": " + mFirst;
    if (mCount > 1) {
        text += " (and " + std::to_string(mCount - 1) + " more element" + (mCount > 2 ? "s" : "") + " left out)";
    }
    WarnContent(text);
}
