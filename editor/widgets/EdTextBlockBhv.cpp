#include "editor/widgets/EdTextBlockBhv.h"

#include <algorithm>

#include "editor/widgets/EdLook.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace {

// Without a font (no renderer) a text counts as one line.
float TextHeight(const GameObject* object) {
    if (object == nullptr || object->Text == nullptr) {
        return 0.0f;
    }
    const TextCmp& text = *object->Text;
    if (text.Font == nullptr) {
        return text.FontSize;
    }
    return std::max(text.Layout().Height(), text.FontSize);
}

size_t CountLines(const TextCmp& text, const std::string& candidate, float boxWidth) {
    TextStyle style = text.Style();
    style.BoxSize = Vector2(boxWidth, 0.0f);
    return TextLayout(*text.Font, candidate, style).Lines().size();
}

}  // namespace

EdTextBlockBhv::EdTextBlockBhv() {
    RegisterProperty(&Text, "Text");
    RegisterProperty(&MaxLines, "MaxLines");
    RegisterProperty(&Margin, "Margin");
    RegisterProperty(&Padding, "Padding");
    RegisterProperty(&TextTint, "TextTint");
}

// The height asked for is this row's own from the last layout; the text decides anew.
void EdTextBlockBhv::SetRect(float x, float y, float width, float /*height*/) {
    GameObject* text = FindChild("Text");
    const float boxWidth = std::max(width - 2.0f * Margin, 1.0f);
    EdLook::SetTextBox(text, Vector2(boxWidth, 0.0f));
    EdLook::SetText(text, FitText(text, boxWidth));
    EdLook::SetTint(text, TextTint);
    EdLook::SetPosition(text, Vector2(x + Margin, y + Padding));
    Height = TextHeight(text) + 2.0f * Padding;
    IEdUiElement::SetRect(x, y, width, Height);
    EdLook::PlaceSprite(FindChild("Background"), x, y, width, Height);
}

std::string EdTextBlockBhv::FitText(const GameObject* text, float boxWidth) {
    if (text == nullptr || text->Text == nullptr || text->Text->Font == nullptr) {
        return Text;
    }
    if (Text == mFitFor && boxWidth == mFitWidth) {
        return mFitted;
    }
    mFitFor = Text;
    mFitWidth = boxWidth;
    const TextCmp& style = *text->Text;
    const size_t maxLines = static_cast<size_t>(std::max(MaxLines, 1));
    if (CountLines(style, Text, boxWidth) <= maxLines) {
        mFitted = Text;
        return mFitted;
    }
    // The longest beginning that still fits with the ellipsis: more text never takes
    // fewer lines.
    size_t low = 0;
    size_t high = Text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (CountLines(style, Text.substr(0, middle) + Ellipsis, boxWidth) <= maxLines) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    mFitted = Text.substr(0, low) + Ellipsis;
    return mFitted;
}
