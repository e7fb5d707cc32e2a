#pragma once

#include <cstdint>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"
#include "object/Color.h"

// A row of text wrapped to the row's width, as many lines high as the text needs up to
// MaxLines, so that a long message (a file path, a list of names) stays readable in a
// narrow palette; a text longer than that ends in "...". Its height follows the text at
// the width it is given: SetRect sets Height, and the palette stacks the next row below
// what this one took.
class EdTextBlockBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* Ellipsis = "...";

    EdTextBlockBhv();

    void SetRect(float x, float y, float width, float height) override;

    std::string Text;
    int32_t MaxLines = 5;
    float Margin = 6.0f;   // left and right of the text
    float Padding = 2.0f;  // above and below it
    Color TextTint = Color(255, 255, 255, 255);

private:
    // Text, or its longest beginning that fits MaxLines with the ellipsis after it.
    std::string FitText(const GameObject* text, float boxWidth);

    // The last fit, kept: a palette lays its rows out again at every change of any row.
    std::string mFitFor;
    float mFitWidth = 0.0f;
    std::string mFitted;
};
