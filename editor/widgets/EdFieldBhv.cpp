#include "editor/widgets/EdFieldBhv.h"

#include <algorithm>
#include <utility>

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/NumberStepping.h"
#include "editor/widgets/TextFitting.h"
#include "input/Clipboard.h"
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

void EdFieldBhv::CaptureStroke(const KeyStroke& stroke) {
    mStrokesDealt = true;
    Apply(stroke);
}

void EdFieldBhv::HandleInput() {
    if (std::exchange(mStrokesDealt, false)) {
        return;
    }
    // Without the focus only a click counts, and most passes have none.
    if (HasFocus == 0 && !EdInput::IsPressed(Key::LeftMouse) && !EdInput::IsPressed(Key::RightMouse)) {
        return;
    }
    // One key at a time in the order they went down: a stalled pass can hold the click
    // that gives the focus, the letters and the Enter that commits them.
    for (const KeyStroke& stroke : EdInput::Strokes()) {
        Apply(stroke);
    }
}

bool EdFieldBhv::IsClick(const KeyStroke& stroke) {
    return !stroke.Repeat && (stroke.Key == KeyCode(Key::LeftMouse) || stroke.Key == KeyCode(Key::RightMouse));
}

bool EdFieldBhv::IsForeignChord(const KeyStroke& stroke) {
    if (!stroke.Ctrl && !stroke.Alt) {
        return false;
    }
    switch (static_cast<Key>(stroke.Key)) {
        // Modifiers going down, and the keys that edit whatever is held with them.
        case Key::Shift:
        case Key::RightShift:
        case Key::Ctrl:
        case Key::Alt:
        case Key::Left:
        case Key::Right:
        case Key::Home:
        case Key::End:
        case Key::Up:
        case Key::Down:
        case Key::Backspace:
        case Key::Delete:
        case Key::OemEnter:
        case Key::Tab:
        case Key::Esc: return false;
        case Key::C:
        case Key::V: return stroke.Alt;
        default: return true;
    }
}

bool EdFieldBhv::PassesOn(const KeyStroke& stroke) const {
    return HasFocus != 0 && IsForeignChord(stroke);
}

void EdFieldBhv::Apply(const KeyStroke& stroke) {
    if (IsClick(stroke)) {
        TakeFocusByMouse(stroke);
    } else if (HasFocus == 0 || EditByKey(stroke)) {
        return;
    } else if (IsForeignChord(stroke)) {
        // Alt+S while a value is typed saves that value, as Enter then Alt+S does.
        Commit();
        HasFocus = 0;
    } else {
        TypeCharacter(stroke);
    }
}

void EdFieldBhv::TakeFocusByMouse(const KeyStroke& click) {
    if (IsEditable == 0) {
        return;
    }
    if (Contains(EdInput::MouseAt(click))) {
        HasFocus = 1;
        Caret = Length();
        if (click.Key == KeyCode(Key::RightMouse)) {
            Text.clear();
            Caret = 0;
        }
        return;
    }
    // Any click elsewhere keeps what was typed.
    if (HasFocus != 0) {
        Commit();
    }
    HasFocus = 0;
}

bool EdFieldBhv::EditByKey(const KeyStroke& stroke) {
    // Caret moves, steps and deletions repeat while held; the rest act on the press.
    const bool press = !stroke.Repeat;
    switch (static_cast<Key>(stroke.Key)) {
        case Key::Left:
            if (Caret > 0) {
                --Caret;
            }
            return true;
        case Key::Right:
            if (Caret < Length()) {
                ++Caret;
            }
            return true;
        case Key::Home:
            if (press) {
                Caret = 0;
            }
            return true;
        case Key::End:
            if (press) {
                Caret = Length();
            }
            return true;
        case Key::Up: StepNumber(1.0, stroke); return true;
        case Key::Down: StepNumber(-1.0, stroke); return true;
        case Key::Backspace:
            if (Caret > 0) {
                Text.erase(static_cast<size_t>(Caret - 1), 1);
                --Caret;
            }
            return true;
        case Key::Delete:
            if (Caret < Length()) {
                Text.erase(static_cast<size_t>(Caret), 1);
            }
            return true;
        case Key::OemEnter:
        case Key::Tab:
            if (press) {
                Commit();
                HasFocus = 0;
            }
            return true;
        case Key::Esc:
            if (press) {
                HasFocus = 0;
            }
            return true;
        default: return false;
    }
}

void EdFieldBhv::StepNumber(double direction, const KeyStroke& stroke) {
    double step = direction;
    if (stroke.Shift) {
        step *= 10.0;
    } else if (stroke.Ctrl) {
        step *= 0.1;
    }
    const std::optional<std::string> stepped = StepNumberText(Text, step);
    if (!stepped) {
        return;
    }
    Text = *stepped;
    Commit();
    Caret = Length();
}

void EdFieldBhv::TypeCharacter(const KeyStroke& stroke) {
    if (!stroke.Ctrl && !stroke.Alt) {
        if (stroke.Character != '\0') {
            InsertAtCaret(std::string(1, stroke.Character));
        }
        return;
    }
    if (stroke.Repeat || stroke.Alt) {
        return;
    }
    if (stroke.Key == KeyCode(Key::C)) {
        Clipboard::SetText(Text);
    } else if (stroke.Key == KeyCode(Key::V)) {
        InsertAtCaret(Clipboard::GetText());
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
