#include "editor/widgets/EdFieldBhv.h"

#include <algorithm>

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/NumberStepping.h"
#include "editor/widgets/TextFitting.h"
#include "input/Clipboard.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"

EdFieldBhv::EdFieldBhv() : KeyboardCapturer(this) {
    RegisterProperty(&Height, "Height");
}

void EdFieldBhv::Start() {
    BoxObject = FindChild("Box");
    TextObject = FindChild("Text");
    NormalBoxTint = EdLook::GetTint(BoxObject);
}

void EdFieldBhv::HandleInput() {
    TakeFocusByMouse();
    if (HasFocus == 0) {
        return;
    }
    MoveCaret();
    StepNumber();
    EditText();
}

void EdFieldBhv::TakeFocusByMouse() {
    const bool left = EdInput::IsPressed(Key::LeftMouse);
    const bool right = EdInput::IsPressed(Key::RightMouse);
    if (IsEditable == 0 || (!left && !right)) {
        return;
    }
    if (Contains(EdInput::Mouse())) {
        HasFocus = 1;
        Caret = Length();
        if (right) {
            Text.clear();
            Caret = 0;
        }
        return;
    }
    if (HasFocus != 0 && left) {
        Commit();
    }
    HasFocus = 0;
}

void EdFieldBhv::MoveCaret() {
    if (EdInput::IsTyped(Key::Left) && Caret > 0) {
        --Caret;
    }
    if (EdInput::IsTyped(Key::Right) && Caret < Length()) {
        ++Caret;
    }
    if (EdInput::IsPressed(Key::Home)) {
        Caret = 0;
    }
    if (EdInput::IsPressed(Key::End)) {
        Caret = Length();
    }
}

bool EdFieldBhv::StepNumber() {
    double step = 0.0;
    if (EdInput::IsTyped(Key::Up)) {
        step = 1.0;
    } else if (EdInput::IsTyped(Key::Down)) {
        step = -1.0;
    } else {
        return false;
    }
    if (EdInput::IsShiftDown()) {
        step *= 10.0;
    } else if (EdInput::IsCtrlDown()) {
        step *= 0.1;
    }
    const std::optional<std::string> stepped = StepNumberText(Text, step);
    if (!stepped) {
        return false;
    }
    Text = *stepped;
    Commit();
    Caret = Length();
    return true;
}

void EdFieldBhv::EditText() {
    if (EdInput::IsTyped(Key::Backspace) && Caret > 0) {
        Text.erase(static_cast<size_t>(Caret - 1), 1);
        --Caret;
    }
    if (EdInput::IsTyped(Key::Delete) && Caret < Length()) {
        Text.erase(static_cast<size_t>(Caret), 1);
    }
    const bool ctrl = EdInput::IsCtrlDown();
    if (ctrl && EdInput::IsPressed(Key::C)) {
        Clipboard::SetText(Text);
    }
    if (ctrl && EdInput::IsPressed(Key::V)) {
        InsertAtCaret(Clipboard::GetText());
    }
    // Before Enter or Tab: at a low pass rate the last letters of a word reach the same
    // pass as the Enter after them, and belong to the text it commits.
    if (!ctrl && gInputManager != nullptr && !gInputManager->TypedText.empty()) {
        InsertAtCaret(gInputManager->TypedText);
    }
    if (EdInput::IsPressed(Key::OemEnter) || EdInput::IsPressed(Key::Tab)) {
        Commit();
        HasFocus = 0;
    }
    if (EdInput::IsPressed(Key::Esc)) {
        HasFocus = 0;
    }
}

void EdFieldBhv::Commit() {
    if (OnCommit) {
        OnCommit(Text);
    }
}

void EdFieldBhv::InsertAtCaret(const std::string& text) {
    Caret = std::clamp(Caret, 0, Length());
    Text.insert(static_cast<size_t>(Caret), text);
    Caret += static_cast<int>(text.size());
}

void EdFieldBhv::SetRect(float x, float y, float width, float height) {
    IEdUiElement::SetRect(x, y, width, height);
    EdLook::SetPosition(BoxObject, Vector2(x + width / 2.0f - BoxInsetX, y + height / 2.0f));
    EdLook::SetSpriteSize(BoxObject, Vector2(width, height - 2.0f * BoxInsetY));
    EdLook::SetPosition(TextObject, Vector2(x, y + height / 2.0f));
    EdLook::SetTint(TextObject, EdLook::Black);
    if (IsEditable != 0) {
        EdLook::SetTint(BoxObject, HasFocus != 0 ? FocusBoxTint : NormalBoxTint);
    } else {
        Color hidden = EdLook::GetTint(BoxObject);
        hidden.A = 0;
        EdLook::SetTint(BoxObject, hidden);
        EdLook::SetTint(TextObject, EdLook::White);
    }
    Caret = std::min(Caret, Length());
    EdLook::SetText(TextObject, ShownText(width));
}

std::string EdFieldBhv::ShownText(float width) {
    const TextCmp* text = TextObject != nullptr ? TextObject->Text : nullptr;
    // The text starts at the row's left edge; the box ends BoxInsetX short of its right.
    const float room = width - BoxInsetX - TextEndInset;
    if (HasFocus == 0) {
        mFirstShown = 0;
        return text != nullptr ? TextFitting::CutToWidth(*text, Text, room) : Text;
    }
    const size_t caret = static_cast<size_t>(std::max(Caret, 0));
    if (text == nullptr) {
        return Text.substr(0, caret) + CaretMark + Text.substr(caret);
    }
    return TextFitting::ScrollToCaret(*text, Text, caret, CaretMark, room, &mFirstShown);
}
