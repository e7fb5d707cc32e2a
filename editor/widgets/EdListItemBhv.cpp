#include "editor/widgets/EdListItemBhv.h"

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/TextFitting.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"

EdListItemBhv::EdListItemBhv() {
    RegisterProperty(&Label, "Label");
    RegisterProperty(&Height, "Height");
    RegisterProperty(&Margin, "Margin");
}

void EdListItemBhv::Start() {
    NormalTint = EdLook::GetTint(FindChild("Background"));
    HighlightTint = Highlight;
}

void EdListItemBhv::HandleInput() {
    if (!Contains(EdInput::Mouse())) {
        return;
    }
    if (EdInput::IsPressed(Key::LeftMouse) && OnClick) {
        OnClick();
    }
    if (EdInput::IsPressed(Key::RightMouse) && OnRightClick) {
        OnRightClick();
    }
}

void EdListItemBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    GameObject* background = FindChild("Background");
    EdLook::PlaceSprite(background, x, y, width, height);
    EdLook::SetTint(background, IsSelected != 0 || IsMarked != 0 ? HighlightTint : NormalTint);
    GameObject* text = FindChild("Text");
    EdLook::SetPosition(text, Vector2(x + Margin, y + height / 2.0f));
    const std::string mark = IsMarked != 0 ? MarkSuffix : "";
    const float room = TextWidth > 0.0f ? TextWidth : width - 2.0f * Margin;
    EdLook::SetText(text, text != nullptr && text->Text != nullptr
                              ? TextFitting::CutToWidth(*text->Text, Label, room, mark)
                              : Label + mark);
}
