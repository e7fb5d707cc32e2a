#pragma once

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"

// A row split into equal cells, one per child (hidden children keep their cell).
class EdRowMultiContainerBhv : public Behavior, public IEdUiElement {
public:
    EdRowMultiContainerBhv();

    void SetRect(float x, float y, float width, float height) override;
};
