#include "object/ContentError.h"

ContentError::ContentError(const std::filesystem::path& file, const std::string& problem)
    : std::runtime_error(file.generic_string() + ": " + problem), mFile(file), mProblem(problem) {}

std::string QuotedContent(std::string_view text) {
    const std::string_view shown = text.substr(0, QuotedContentLength);
    std::string quoted = "\"";
    for (const char c : shown) {
        quoted += c >= ' ' && c <= '~' ? c : '?';
    }
    if (shown.size() < text.size()) {
        quoted += "...";
    }
    return quoted + "\"";
}
