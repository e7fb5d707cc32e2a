#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "object/Behavior.h"

// A vertical menu of the object's "UiTextMenuItem" children, stepped with MoveUp and
// MoveDown (wrapping, with the key repeat) and chosen with MenuConfirm. The selected
// item is opaque, the others faded to InactiveAlpha.
class TextMenuBhv : public Behavior {
public:
    TextMenuBhv();

    void Start() override;
    void Update() override;
    void HandleInput() override;

    int ItemCount() const { return static_cast<int>(Items.size()); }

    int32_t SelectedIndex = 0;
    // Called with an index of an item only: an empty menu has nothing to choose.
    std::function<void(int)> OnSelect;

private:
    std::vector<GameObject*> Items;
    float InactiveAlpha = 0.5f;
};
