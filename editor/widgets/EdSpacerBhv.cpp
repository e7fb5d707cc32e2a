#include "editor/widgets/EdSpacerBhv.h"

#include "editor/widgets/EdLook.h"

EdSpacerBhv::EdSpacerBhv() {
    RegisterProperty(&Height, "Height");
}

void EdSpacerBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    EdLook::PlaceSprite(Owner, x, y, width, height);
}
