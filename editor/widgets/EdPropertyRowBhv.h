#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"

class EdFieldBhv;
class EdListItemBhv;

// A label across the whole row, its text held to the left half while the value shows,
// and a value field over the right half.
class EdPropertyRowBhv : public Behavior, public IEdUiElement {
public:
    EdPropertyRowBhv();

    void Start() override;
    void SetRect(float x, float y, float width, float height) override;

    std::string Label;
    bool IsEditable = true;
    // Shown in the field whenever it is not being edited.
    std::string ValueText;
    uint8_t IsHighlighted = 0;
    std::function<void(const std::string& text)> OnValueChanged;
    EdListItemBhv* LabelItem = nullptr;
    EdFieldBhv* ValueField = nullptr;
};
