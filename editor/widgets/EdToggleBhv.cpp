#include "editor/widgets/EdToggleBhv.h"

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"

EdToggleBhv::EdToggleBhv() {
    RegisterProperty(&Title, "Title");
    RegisterProperty(&Height, "Height");
    RegisterProperty(&Value, "Value");
}

void EdToggleBhv::Start() {
    NormalTint = EdLook::GetTint(FindChild("Background"));
}

void EdToggleBhv::HandleInput() {
    if (EdInput::IsPressed(Key::LeftMouse) && Contains(EdInput::Mouse())) {
        SetValue(!Value);
    }
}

void EdToggleBhv::SetValue(bool value) {
    Value = value;
    if (OnChanged) {
        OnChanged(Value);
    }
}

void EdToggleBhv::Update() {
    GameObject* background = FindChild("Background");
    // No hover look: the shade alone tells on from off.
    EdLook::SetTint(background, Value ? EdLook::Modulate(NormalTint, OnShade) : NormalTint);
    EdLook::SetTint(FindChild("Text"), Value ? EdLook::White : EdLook::Black);
    EdLook::SetSpriteMirrored(background, Value);
}

void EdToggleBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    const Vector2 centre(x + width / 2.0f, y + height / 2.0f);
    GameObject* text = FindChild("Text");
    EdLook::SetPosition(text, centre);
    EdLook::SetText(text, Title);
    EdLook::SetTextBox(text, Vector2(width, 0.0f));
    GameObject* background = FindChild("Background");
    EdLook::SetPosition(background, centre);
    EdLook::SetSpriteSize(background, Vector2(width, height));
}
