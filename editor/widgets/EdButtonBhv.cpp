#include "editor/widgets/EdButtonBhv.h"

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"

EdButtonBhv::EdButtonBhv() {
    RegisterProperty(&Title, "Title");
    RegisterProperty(&Height, "Height");
    RegisterProperty(&IsGrayedOut, "IsGrayedOut");
}

void EdButtonBhv::Start() {
    mNormalTint = EdLook::GetTint(FindChild("Background"));
}

void EdButtonBhv::HandleInput() {
    const bool inside = Contains(EdInput::Mouse());
    const bool down = EdInput::IsDown(Key::LeftMouse);
    if (EdInput::IsPressed(Key::LeftMouse) && inside) {
        IsPressed = 1;
    }
    if (IsPressed != 0 && !down && inside && OnClick) {
        OnClick();
    }
    if (!down) {
        IsPressed = 0;
    }
    UpdateLook();
    WasPressed = IsPressed;
}

void EdButtonBhv::UpdateLook() {
    GameObject* background = FindChild("Background");
    const bool inside = Contains(EdInput::Mouse());
    EdLook::SetSpriteMirrored(background, IsPressed != 0 && inside);
    EdLook::SetTint(background, inside ? EdLook::Hovered(mNormalTint) : mNormalTint);
}

void EdButtonBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    const Vector2 centre(x + width / 2.0f, y + height / 2.0f);
    GameObject* text = FindChild("Text");
    EdLook::SetPosition(text, centre);
    EdLook::SetText(text, Title);
    EdLook::SetTextBox(text, Vector2(width, 0.0f));
    EdLook::SetTint(text, IsGrayedOut ? EdLook::GrayedText : EdLook::White);
    EdLook::PlaceSprite(FindChild("Background"), x, y, width, height);
    UpdateLook();
}
