#include "editor/widgets/TextFitting.h"

#include <algorithm>

#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace TextFitting {

namespace {

size_t CountLines(const TextCmp& text, const std::string& candidate) {
    return TextLayout(*text.Font, candidate, text.Style()).Lines().size();
}

// More text never takes less room, so the fitting lengths are searched, not tried one by
// one: a pasted page must not cost a layout per character.

// The largest n from 0 to count for which fits holds (it holds up to some n and not
// after); 0 when it holds for none.
template <class Fits>
size_t LargestFitting(size_t count, Fits fits) {
    size_t low = 0;
    size_t high = count;
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

// The smallest n from 0 to count for which fits holds (it fails up to some n and holds
// after); count + 1 when it holds for none.
template <class Fits>
size_t SmallestFitting(size_t count, Fits fits) {
    if (!fits(count)) {
        return count + 1;
    }
    size_t low = 0;
    size_t high = count;
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (fits(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

}  // namespace

std::string FitToLines(const TextCmp& text, const std::string& whole, int maxLines) {
    const size_t limit = static_cast<size_t>(std::max(maxLines, 1));
    if (text.Font == nullptr || CountLines(text, whole) <= limit) {
        return whole;
    }
    const size_t kept = LargestFitting(
        whole.size(), [&](size_t length) { return CountLines(text, whole.substr(0, length) + Ellipsis) <= limit; });
    return whole.substr(0, kept) + Ellipsis;
}

float LaidOutHeight(const TextCmp& text) {
    if (text.Font == nullptr) {
        return text.FontSize;
    }
    return std::max(text.Layout().Height(), text.FontSize);
}

float LineWidth(const TextCmp& text, const std::string& line) {
    if (text.Font == nullptr) {
        return 0.0f;
    }
    TextStyle style = text.Style();
    style.BoxSize = Vector2();
    return TextLayout(*text.Font, line, style).MaxWidth();
}

std::string CutToWidth(const TextCmp& text, const std::string& whole, float width, const std::string& tail) {
    if (text.Font == nullptr || LineWidth(text, whole + tail) <= width) {
        return whole + tail;
    }
    const size_t kept = LargestFitting(whole.size(), [&](size_t length) {
        return LineWidth(text, whole.substr(0, length) + Ellipsis + tail) <= width;
    });
    return whole.substr(0, kept) + Ellipsis + tail;
}

std::string ScrollToCaret(const TextCmp& text, const std::string& whole, size_t caret, const std::string& caretMark,
                          float width, size_t* first) {
    caret = std::min(caret, whole.size());
    const std::string marked = whole.substr(0, caret) + caretMark + whole.substr(caret);
    if (text.Font == nullptr) {
        *first = 0;
        return marked;
    }
    const size_t markEnd = caret + caretMark.size();
    const auto fitsFrom = [&](size_t start, size_t end) {
        return LineWidth(text, marked.substr(start, end - start)) <= width;
    };
    // The caret stays in: from here on the text up to the caret fits.
    const size_t earliest =
        std::min(SmallestFitting(caret, [&](size_t start) { return fitsFrom(start, markEnd); }), caret);
    size_t start = std::clamp(*first, earliest, caret);
    // From here on the rest of the text fits too: starting later would leave room unused.
    start = std::min(start, SmallestFitting(caret, [&](size_t from) { return fitsFrom(from, marked.size()); }));
    *first = start;
    const size_t shown =
        LargestFitting(marked.size() - start, [&](size_t length) { return fitsFrom(start, start + length); });
    return marked.substr(start, std::max(shown, markEnd - start));
}

}  // namespace TextFitting
