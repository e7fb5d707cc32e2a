#include "editor/widgets/TextFitting.h"

#include <algorithm>

#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace TextFitting {

namespace {

size_t CountLines(const TextCmp& text, const std::string& candidate) {
    return TextLayout(*text.Font, candidate, text.Style()).Lines().size();
}

}  // namespace

std::string FitToLines(const TextCmp& text, const std::string& whole, int maxLines) {
    const size_t limit = static_cast<size_t>(std::max(maxLines, 1));
    if (text.Font == nullptr || CountLines(text, whole) <= limit) {
        return whole;
    }
    // More text never takes fewer lines, so the longest fitting beginning is searched.
    size_t low = 0;
    size_t high = whole.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (CountLines(text, whole.substr(0, middle) + Ellipsis) <= limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return whole.substr(0, low) + Ellipsis;
}

float LaidOutHeight(const TextCmp& text) {
    if (text.Font == nullptr) {
        return text.FontSize;
    }
    return std::max(text.Layout().Height(), text.FontSize);
}

}  // namespace TextFitting
