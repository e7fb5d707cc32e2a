#include "editor/dialogs/EdDlgMessageBoxBhv.h"

#include <algorithm>
#include <cctype>

#include "editor/dialogs/EdDialogBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "object/GameObject.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace {

const EdButtonBhv* ButtonOf(const GameObject* object) {
    return object != nullptr ? object->GetComponent<EdButtonBhv>() : nullptr;
}

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

EdDlgMessageBoxBhv::EdDlgMessageBoxBhv() : KeyboardCapturer(this) {}

void EdDlgMessageBoxBhv::Start() {
    Dialog = Owner != nullptr ? Owner->GetComponent<EdDialogBhv>() : nullptr;
    ButtonsRoot = FindChild("Buttons");
}

void EdDlgMessageBoxBhv::Build(const std::string& title, const std::vector<std::string>& labels,
                               MessageBoxCallback callback, const std::string& safeAnswer) {
    if (GameObject* bar = FindChild("TitleBar")) {
        if (auto* titleBar = bar->GetComponent<EdTitleBarBhv>()) {
            titleBar->Title = title;
        }
        FitWidthToTitle(*bar, title);
    }
    RemoveButtons();
    for (const std::string& label : labels) {
        AddButton(label);
    }
    if (Dialog != nullptr) {
        Dialog->Layout();
        EdDialogBhv::MoveToDialogLayers(Owner);
        Dialog->Open();
    }
    Callback = std::move(callback);
    mSafeAnswer = safeAnswer;
}

void EdDlgMessageBoxBhv::FitWidthToTitle(const GameObject& titleBar, const std::string& title) {
    // The title bar's text starts a few pixels in and does not wrap.
    constexpr float kTitleMargin = 10.0f;
    constexpr float kScreenMargin = 20.0f;
    if (Dialog == nullptr) {
        return;
    }
    if (mBaseWidth <= 0.0f) {
        mBaseWidth = Dialog->Width;
    }
    float width = mBaseWidth;
    const GameObject* text = titleBar.FindChild("Text");
    if (text != nullptr && text->Text != nullptr && text->Text->Font != nullptr) {
        TextStyle style = text->Text->Style();
        style.BoxSize = Vector2();
        const float needed = TextLayout(*text->Text->Font, title, style).MaxWidth() + 2.0f * kTitleMargin;
        width = std::clamp(needed, mBaseWidth, std::max(mBaseWidth, EdInput::ScreenWidth - 2.0f * kScreenMargin));
    }
    Dialog->Width = width;
    Dialog->TopLeft.X = (EdInput::ScreenWidth - width) * 0.5f;
}

void EdDlgMessageBoxBhv::RemoveButtons() {
    if (ButtonsRoot == nullptr) {
        return;
    }
    while (!ButtonsRoot->Children.empty()) {
        ButtonsRoot->Children.back()->DetachAndDestroy();
    }
}

void EdDlgMessageBoxBhv::AddButton(const std::string& label) {
    if (ButtonsRoot == nullptr) {
        return;
    }
    auto* object = new GameObject(ButtonPrefab);
    if (auto* button = object->GetComponent<EdButtonBhv>()) {
        button->Title = label;
        button->OnClick = [this, label] { OnButton(label); };
    }
    ButtonsRoot->AddChild(object);
}

void EdDlgMessageBoxBhv::OnButton(const std::string& label) {
    if (Dialog != nullptr) {
        Dialog->Close();
    }
    // Emptied before the call: an answer may open the box again with a new callback.
    MessageBoxCallback callback = std::move(Callback);
    Callback = nullptr;
    if (callback) {
        callback(label);
    }
}

std::vector<std::string> EdDlgMessageBoxBhv::GetLabels() const {
    std::vector<std::string> labels;
    if (ButtonsRoot != nullptr) {
        for (const GameObject* child : ButtonsRoot->Children) {
            if (const EdButtonBhv* button = ButtonOf(child)) {
                labels.push_back(button->Title);
            }
        }
    }
    return labels;
}

bool EdDlgMessageBoxBhv::HoldsKeyboard() const {
    return Dialog != nullptr && Dialog->HoldsKeyboard();
}

// The key that opened the box (a PageUp, a field's Enter) was dealt before it opened, and
// the keys struck after the answer find it closed.
void EdDlgMessageBoxBhv::CaptureStroke(const KeyStroke& stroke) {
    if (!HoldsKeyboard()) {
        return;
    }
    const std::string answer = AnswerOf(stroke, GetLabels());
    if (!answer.empty()) {
        OnButton(answer);
    }
}

std::string EdDlgMessageBoxBhv::AnswerOf(const KeyStroke& stroke, const std::vector<std::string>& labels) const {
    if (labels.empty() || stroke.Repeat) {
        return std::string();
    }
    const bool safeShown = std::find(labels.begin(), labels.end(), mSafeAnswer) != labels.end();
    if (stroke.Key == KeyCode(Key::OemEnter)) {
        return safeShown ? mSafeAnswer : labels.front();
    }
    if (stroke.Key == KeyCode(Key::Esc)) {
        return safeShown ? mSafeAnswer : labels.back();
    }
    // A chord is no letter.
    if (stroke.Character == '\0' || stroke.Ctrl || stroke.Alt) {
        return std::string();
    }
    for (const std::string& label : labels) {
        if (!label.empty() && SameLetter(label.front(), stroke.Character)) {
            return label;
        }
    }
    return std::string();
}
