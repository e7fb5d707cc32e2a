#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"
#include "object/Color.h"

// A row of a list: a label on a background that is highlighted while selected or marked.
// A label longer than its room is cut with an ellipsis; a marked one keeps its mark.
class EdListItemBhv : public Behavior, public IEdUiElement {
public:
    static constexpr Color Highlight{51, 71, 140, 255};
    // Appended to the label of a marked item.
    static constexpr const char* MarkSuffix = "   <--";

    EdListItemBhv();

    void Start() override;
    void HandleInput() override;
    void SetRect(float x, float y, float width, float height) override;

    std::string Label;
    float Margin = 5.0f;
    uint8_t IsSelected = 0;
    uint8_t IsMarked = 0;
    std::function<void()> OnClick;
    std::function<void()> OnRightClick;
    Color HighlightTint = Highlight;
    Color NormalTint = Color(255, 255, 255, 255);
    // The width the label's text may take from its margin; 0: the row's width less a
    // margin on either side. Owners that place something over the row's right part set it.
    float TextWidth = 0.0f;
};
