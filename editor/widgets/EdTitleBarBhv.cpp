#include "editor/widgets/EdTitleBarBhv.h"

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"

EdTitleBarBhv::EdTitleBarBhv() {
    RegisterProperty(&Title, "Title");
    RegisterProperty(&Height, "Height");
}

void EdTitleBarBhv::HandleInput() {
    if (EdInput::IsPressed(Key::LeftMouse) && Contains(EdInput::Mouse())) {
        IsDragging = 1;
    }
    if (!EdInput::IsDown(Key::LeftMouse)) {
        IsDragging = 0;
    }
    if (IsDragging != 0 && OnDrag) {
        OnDrag(EdInput::Mouse() - EdInput::MousePrevious());
    }
}

void EdTitleBarBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    EdLook::PlaceSprite(FindChild("Background"), x, y, width, height);
    GameObject* text = FindChild("Text");
    EdLook::SetPosition(text, Vector2(x + 5.0f, y + height / 2.0f));
    EdLook::SetText(text, Title);
}
