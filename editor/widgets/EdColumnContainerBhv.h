#pragma once

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"

// A row that stacks its children's rows from its top down, as tall as they are
// together; children that are no rows take no room.
class EdColumnContainerBhv : public Behavior, public IEdUiElement {
public:
    EdColumnContainerBhv();

    // The children's heights are known once they are built, before this Start.
    void Start() override;
    void SetRect(float x, float y, float width, float height) override;

private:
    float SumChildHeights() const;
};
