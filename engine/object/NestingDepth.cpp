#include "object/NestingDepth.h"

#include <algorithm>

int JsonNestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

namespace {

// The index just past the first `end` at or after `from`; the text's end when absent.
size_t SkipPast(std::string_view text, size_t from, std::string_view end) {
    const size_t found = text.find(end, from);
    return found == std::string_view::npos ? text.size() : found + end.size();
}

// The index just past the '>' that ends the tag starting at `from`, quoted attribute
// values skipped; whether the tag closes itself ("/>").
size_t SkipTag(std::string_view text, size_t from, bool& selfClosing) {
    char quote = 0;
    selfClosing = false;
    for (size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            selfClosing = i > from && text[i - 1] == '/';
            return i + 1;
        }
    }
    return text.size();
}

}  // namespace

int XmlNestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        const std::string_view rest = text.substr(i);
        bool selfClosing = false;
        if (rest.starts_with("<!--")) {
            i = SkipPast(text, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = SkipPast(text, i + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            i = SkipPast(text, i + 2, "?>");
        } else if (rest.starts_with("<!")) {
            i = SkipTag(text, i + 2, selfClosing);
        } else if (rest.starts_with("</")) {
            i = SkipTag(text, i + 2, selfClosing);
            depth = std::max(depth - 1, 0);
        } else {
            i = SkipTag(text, i + 1, selfClosing);
            deepest = std::max(deepest, depth + 1);
            if (!selfClosing) {
                ++depth;
            }
        }
    }
    return deepest;
}
