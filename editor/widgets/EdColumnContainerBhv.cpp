#include "editor/widgets/EdColumnContainerBhv.h"

#include "object/GameObject.h"

EdColumnContainerBhv::EdColumnContainerBhv() {
    RegisterProperty(&Height, "Height");
}

void EdColumnContainerBhv::Start() {
    Height = SumChildHeights();
}

float EdColumnContainerBhv::SumChildHeights() const {
    float sum = 0.0f;
    if (Owner != nullptr) {
        for (const GameObject* child : Owner->Children) {
            if (const IEdUiElement* row = FindUiElement(child)) {
                sum += row->Height;
            }
        }
    }
    return sum;
}

void EdColumnContainerBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    if (Owner == nullptr) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (IEdUiElement* row = FindUiElement(child)) {
            row->SetRect(x, y, width, row->Height);
            y += row->Height;
        }
    }
}
