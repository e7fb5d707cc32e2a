#include "editor/widgets/EdPropertyRowBhv.h"

#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "object/GameObject.h"

EdPropertyRowBhv::EdPropertyRowBhv() {
    RegisterProperty(&Label, "Label");
    RegisterProperty(&Height, "Height");
    RegisterProperty(&IsEditable, "IsEditable");
}

void EdPropertyRowBhv::Start() {
    GameObject* label = FindChild("Label");
    LabelItem = label != nullptr ? label->GetComponent<EdListItemBhv>() : nullptr;
    GameObject* value = FindChild("Value");
    ValueField = value != nullptr ? value->GetComponent<EdFieldBhv>() : nullptr;
    if (ValueField != nullptr) {
        ValueField->OnCommit = [this](const std::string& text) {
            if (OnValueChanged) {
                OnValueChanged(text);
            }
        };
    }
}

void EdPropertyRowBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    if (LabelItem != nullptr) {
        LabelItem->Label = Label;
        LabelItem->IsSelected = IsHighlighted;
        // The label's text ends a margin short of the value field, unless that shows
        // nothing (a heading row).
        const bool valueShown = IsEditable || !ValueText.empty();
        LabelItem->TextWidth = valueShown ? width / 2.0f - 2.0f * LabelItem->Margin : 0.0f;
        LabelItem->SetRect(x, y, width, height);
    }
    if (ValueField != nullptr) {
        ValueField->IsEditable = IsEditable ? 1 : 0;
        // A field being edited keeps what the user typed.
        if (ValueField->HasFocus == 0) {
            ValueField->Text = ValueText;
        }
        ValueField->SetRect(x + width / 2.0f, y, width / 2.0f, height);
    }
}
