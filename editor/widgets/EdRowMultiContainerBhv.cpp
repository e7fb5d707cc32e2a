#include "editor/widgets/EdRowMultiContainerBhv.h"

#include "object/GameObject.h"

EdRowMultiContainerBhv::EdRowMultiContainerBhv() {
    RegisterProperty(&Height, "Height");
}

void EdRowMultiContainerBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    if (Owner == nullptr || Owner->Children.empty()) {
        return;
    }
    const int count = static_cast<int>(Owner->Children.size());
    // Whole pixels per cell, so cells never straddle a pixel.
    const float cell = static_cast<float>(static_cast<int>(width) / count);
    for (int i = 0; i < count; ++i) {
        if (IEdUiElement* element = FindUiElement(Owner->Children[static_cast<size_t>(i)])) {
            element->SetRect(x + static_cast<float>(i) * cell, y, cell, height);
        }
    }
}
