#include "game/ui/TextMenuBhv.h"

#include "input/InputManager.h"
#include "object/GameObject.h"
#include "render/TintCmp.h"

namespace {

bool IsActionTyped(InputAction action) {
    return gInputManager->IsActionInKeySet(action, gInputManager->KeysTyped);
}

}  // namespace

TextMenuBhv::TextMenuBhv() {
    RegisterProperty(&InactiveAlpha, "InactiveAlpha");
}

void TextMenuBhv::Start() {
    Items.clear();
    for (GameObject* child : Owner->Children) {
        if (child->PrefabName == "UiTextMenuItem") {
            Items.push_back(child);
        }
    }
}

void TextMenuBhv::HandleInput() {
    if (gInputManager == nullptr) {
        return;
    }
    const int count = ItemCount();
    if (IsActionTyped(InputAction::MoveUp)) {
        SelectedIndex -= 1;
        if (SelectedIndex < 0) {
            SelectedIndex = count - 1;
        }
    }
    if (IsActionTyped(InputAction::MoveDown)) {
        SelectedIndex += 1;
        if (SelectedIndex >= count) {
            SelectedIndex = 0;
        }
    }
    if (gInputManager->IsActionPressed(InputAction::MenuConfirm) && OnSelect && SelectedIndex >= 0 &&
        SelectedIndex < count) {
        OnSelect(SelectedIndex);
    }
}

void TextMenuBhv::Update() {
    const auto inactive = static_cast<uint8_t>(static_cast<int>(InactiveAlpha * 255.0f));
    for (int i = 0; i < ItemCount(); ++i) {
        if (Items[i]->Tint != nullptr) {
            Items[i]->Tint->Tint.A = i == SelectedIndex ? 255 : inactive;
        }
    }
}
