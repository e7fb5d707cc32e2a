#include "game/ui/UiQuitPopupBhv.h"

#include <random>

#include "game/screens/EditorLink.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "game/ui/UiMouse.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "object/GameObject.h"
#include "object/RandomManager.h"
#include "render/TextCmp.h"

namespace {

GameObject* FindInTree(GameObject* root, const std::string& name) {
    if (root->Name == name) {
        return root;
    }
    for (GameObject* child : root->Children) {
        if (GameObject* found = FindInTree(child, name)) {
            return found;
        }
    }
    return nullptr;
}

void SetMapInput(bool enabled) {
    if (gLevelSelectScreen != nullptr) {
        gLevelSelectScreen->Owner->InputEnabled = enabled ? 1 : 0;
    }
}

}  // namespace

const std::vector<std::string>& UiQuitPopupBhv::Titles() {
    static const std::vector<std::string> titles{
        "Blow this joint?",
        "You up-out this piece?",
        "Tired of shooting bugs then going in a door?",
        "Blow this taco stand?",
        "Ditch this enchilada?",
        "Too Zintly, too bad?",
        "Over it?",
        "Onward?",
        "Time to go masturbate?",
        "Time to go kill babies?",
        "Time to go watch porn?",
    };
    return titles;
}

void UiQuitPopupBhv::Start() {
    SetMapInput(false);
    const std::vector<std::string>& titles = Titles();
    size_t index = 0;
    if (gRandomManager != nullptr && titles.size() > 1) {
        std::uniform_int_distribution<size_t> pick(0, titles.size() - 1);
        index = pick(gRandomManager->Engine());
    }
    GameObject* title = Owner->FindChild("Title");
    if (title != nullptr && title->Text != nullptr) {
        title->Text->Text = titles[index];
    }
}

void UiQuitPopupBhv::Update() {
    // Texts draw above every interface sprite, so the map's info box, which lies under
    // the popup, is hidden after each map update while the popup is open.
    if (gLevelSelectScreen != nullptr && !Owner->PendingDestroy) {
        if (GameObject* infoBox = FindInTree(gLevelSelectScreen->Owner, "LevelSelectInfoBox")) {
            infoBox->DrawEnabled = 0;
        }
    }
}

void UiQuitPopupBhv::HandleInput() {
    if (EditorIsEditing() || gInputManager == nullptr) {
        return;
    }
    bool quit = false;
    bool close = false;
    if (gInputManager->IsKeyPressed(Key::LeftMouse)) {
        quit = InterfaceMouseIn(Owner->FindChild("KeySpace"));
        close = !quit && InterfaceMouseIn(Owner->FindChild("KeyEsc"));
    }
    if (close || gInputManager->IsActionPressed(InputAction::MenuCancel)) {
        Close();
        return;
    }
    if (quit || gInputManager->IsActionPressed(InputAction::MenuConfirm)) {
        PostQuitMessage();
    }
}

void UiQuitPopupBhv::CloseOpen() {
    // The map builds the popup beside itself.
    GameObject* parent = gLevelSelectScreen != nullptr ? gLevelSelectScreen->Owner->Parent : nullptr;
    if (parent == nullptr) {
        return;
    }
    for (GameObject* child : parent->Children) {
        UiQuitPopupBhv* popup = child->GetComponent<UiQuitPopupBhv>();
        if (popup != nullptr && child->PendingDestroy == 0) {
            popup->Close();
        }
    }
}

void UiQuitPopupBhv::Close() {
    SetMapInput(true);
    Owner->Destroy();
}
