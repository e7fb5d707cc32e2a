#pragma once

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"

// A plain filled row: its own sprite spans the rectangle.
class EdSpacerBhv : public Behavior, public IEdUiElement {
public:
    EdSpacerBhv();

    void SetRect(float x, float y, float width, float height) override;
};
