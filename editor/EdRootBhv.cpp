#include "editor/EdRootBhv.h"

#include <utility>

#include "editor/EditorState.h"
#include "editor/KeyTaker.h"
#include "editor/UnsavedWork.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/IEdUiElement.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/ui/UiQuitPopupBhv.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "object/Component.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "render/TintCmp.h"

EdRootBhv* gEdRoot = nullptr;

namespace {

void SetFlags(GameObject* object, uint8_t input, uint8_t update, uint8_t draw) {
    if (object != nullptr) {
        object->InputEnabled = input;
        object->UpdateEnabled = update;
        object->DrawEnabled = draw;
    }
}

bool IsEditing() {
    return gEditorState != nullptr && gEditorState->IsEditing != 0;
}

}  // namespace

bool IsDrawnInHierarchy(const GameObject* object) {
    for (; object != nullptr; object = object->Parent) {
        if (object->DrawEnabled == 0) {
            return false;
        }
    }
    return true;
}

EdRootBhv::EdRootBhv() : KeyTaker(this) {}

EdRootBhv::~EdRootBhv() {
    if (gEdRoot == this) {
        gEdRoot = nullptr;
        gEditorLink.ReturnToEditor = nullptr;
    }
}

void EdRootBhv::Start() {
    gEdRoot = this;
    gEditorLink.ReturnToEditor = [] {
        if (gEdRoot != nullptr) {
            gEdRoot->ReturnToEditor();
        }
    };
    if (Owner != nullptr) {
        PalettesRoot = Owner->FindChild("EdPalettesRoot");
        DialogsRoot = Owner->FindChild("EdDialogsRoot");
        LevelEditorObject = Owner->FindChild("EdLevelEditor");
    }
    if (PalettesRoot != nullptr && PalettesRoot->Tint != nullptr) {
        PalettesAlpha = static_cast<float>(PalettesRoot->Tint->Tint.A) / 255.0f;
    }
    GameObject* main = PalettesRoot != nullptr ? PalettesRoot->FindChild("PalMain") : nullptr;
    MainPalette = main != nullptr ? main->GetComponent<EdPalMainBhv>() : nullptr;
    // Nothing of the editor shows before edit mode, not even for the first frame.
    ShowSubtrees(IsEditing());
}

void EdRootBhv::Update() {
    ShowSubtrees(IsEditing());
}

void EdRootBhv::ShowSubtrees(bool editing) {
    if (!editing) {
        for (GameObject* subtree : {PalettesRoot, DialogsRoot, LevelEditorObject}) {
            SetFlags(subtree, 0, 0, 0);
        }
        return;
    }
    SetFlags(DialogsRoot, 1, 1, 1);
    SetFlags(LevelEditorObject, 1, 1, 1);
    if (PalettesRoot == nullptr) {
        return;
    }
    PalettesRoot->DrawEnabled = 1;
    const bool engaged = gEditorState != nullptr && gEditorState->ToolEngaged != 0;
    if (PalettesRoot->Tint != nullptr) {
        PalettesRoot->Tint->Tint.A = engaged ? FadedAlpha : static_cast<uint8_t>(PalettesAlpha * 255.0f);
    }
    // An open dialog is modal: the palettes behind it take no input.
    PalettesRoot->InputEnabled = !engaged && !IsDialogOpen() ? 1 : 0;
    PalettesRoot->UpdateEnabled = engaged ? 0 : 1;
}

bool EdRootBhv::IsDialogOpen() const {
    if (DialogsRoot == nullptr) {
        return false;
    }
    for (const GameObject* dialog : DialogsRoot->Children) {
        if (dialog->GetComponent<EdDialogBhv>() != nullptr && IsDrawnInHierarchy(dialog)) {
            return true;
        }
    }
    return false;
}

void EdRootBhv::HandleInput() {
    if (!std::exchange(mKeysDealt, false)) {
        DealKeys();
        mKeysDealt = false;
    }
}

void EdRootBhv::DealKeys() {
    mKeysDealt = true;
    // A tool or dialog ended by one key gives the palettes back for the chord struck after
    // it; but the click or key that ended it was the tool's, so the palettes' own input
    // waits for the next pass.
    const bool palettesTookInput = PalettesRoot == nullptr || PalettesRoot->InputEnabled != 0;
    const KeyTaker::Dealt dealt = KeyTaker::DealStrokes(Owner, [this] { ShowSubtrees(IsEditing()); });
    if (!palettesTookInput) {
        PalettesRoot->InputEnabled = 0;
    }
    if (gEditorState != nullptr) {
        gEditorState->KeyboardCaptured = dealt.KeyboardHeld ? 1 : 0;
    }
    if (gInputManager != nullptr) {
        gInputManager->KeysClaimed = dealt.Claimed;
    }
}

void EdRootBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (gEditorState == nullptr || stroke.Repeat) {
        return;
    }
    EditorState& state = *gEditorState;
    switch (static_cast<Key>(stroke.Key)) {
        case Key::F1:
            if (state.IsEditing == 0) {
                EnterEditMode();
            }
            break;
        case Key::F2:
            if (state.IsEditing == 0) {
                ReturnToEditor();
                if (HasGameplayScreen()) {
                    ShowGameplayEditorIcons(true);
                }
            }
            break;
        case Key::F11: ToggleEditMode(); break;
        case Key::Q:
        case Key::G: EngageToolOnChord(stroke); break;
        default: break;
    }
}

// While a tool runs its saved gameplay flags must not be overwritten by another.
void EdRootBhv::EngageToolOnChord(const KeyStroke& stroke) {
    const EditorState& state = *gEditorState;
    if (state.IsEditing == 0 || state.ToolEngaged != 0 || !stroke.Ctrl) {
        return;
    }
    if (stroke.Key == KeyCode(Key::Q) && state.SpritePicker != nullptr) {
        state.SpritePicker->Engage();
    } else if (stroke.Key == KeyCode(Key::G) && state.SpriteMover != nullptr) {
        state.SpriteMover->Engage();
    }
}

void EdRootBhv::ToggleEditMode() {
    EditorState& state = *gEditorState;
    if (state.IsEditing == 0) {
        state.IsEditing = 1;
        ShowPalettes();
        if (HasGameplayScreen()) {
            ShowGameplayEditorIcons(true);
            RemoveGameplayTitleCard();
        }
        return;
    }
    const bool palettesHidden = MainPalette != nullptr && MainPalette->Owner != nullptr &&
                                MainPalette->Owner->DrawEnabled != 0 && !MainPalette->IsAnyPaletteShown();
    if (palettesHidden) {
        ShowPalettes();
        return;
    }
    state.IsEditing = 0;
    if (HasGameplayScreen()) {
        ShowGameplayEditorIcons(false);
    }
}

void EdRootBhv::EnterEditMode() {
    gEditorState->IsEditing = 1;
    HidePalettes();
    if (HasGameplayScreen()) {
        PauseGameplayScreen();
        ShowGameplayEditorIcons(true);
        RemoveGameplayTitleCard();
        EndGameplayArrival();
    }
}

void EdRootBhv::ReturnToEditor() {
    if (gEditorState == nullptr || gEditorState->IsEditing != 0) {
        return;
    }
    gEditorState->IsEditing = 1;
    HidePalettes();
    if (HasGameplayScreen()) {
        PauseGameplayScreen();
        RemoveGameplayTitleCard();
        EndGameplayArrival();
    }
    gEditorState->KeepPlayState = 0;
    if (HasGameplayScreen()) {
        RestoreLevelFromHistory();
    }
}

void EdRootBhv::ShowMessageBox(const std::vector<std::string>& labels, const std::string& title,
                               MessageBoxCallback callback, const std::string& safeAnswer) {
    GameObject* box = DialogsRoot != nullptr ? DialogsRoot->FindChild("EdDlgMessageBox") : nullptr;
    IEdMessageBox* messageBox = box != nullptr ? box->GetComponent<IEdMessageBox>() : nullptr;
    if (messageBox != nullptr) {
        messageBox->Build(title, labels, std::move(callback), safeAnswer);
    }
}

void EdRootBhv::UpdateMouseOverPalette() {
    if (gEditorState == nullptr) {
        return;
    }
    gEditorState->MouseOverPalette = 0;
    const Vector2 mouse = EdInput::Mouse();
    if (PalettesRoot != nullptr) {
        for (GameObject* child : PalettesRoot->Children) {
            const EdPaletteBhv* palette = child->GetComponent<EdPaletteBhv>();
            if (palette != nullptr && IsDrawnInHierarchy(child) && IsInsideRect(palette->GetRect(), mouse)) {
                gEditorState->MouseOverPalette = 1;
                return;
            }
        }
    }
    if (DialogsRoot != nullptr) {
        for (const GameObject* child : DialogsRoot->Children) {
            if (IsDrawnInHierarchy(child)) {
                gEditorState->MouseOverPalette = 1;
                return;
            }
        }
    }
}

void EdRootBhv::AfterMessagePump() {
    if (gEdRoot != nullptr) {
        gEdRoot->UpdateMouseOverPalette();
        gEdRoot->DealKeys();
    }
}

bool EdRootBhv::MayQuit() {
    return gEdRoot == nullptr || gEdRoot->AskBeforeQuitting();
}

bool EdRootBhv::AskBeforeQuitting() {
    const UnsavedWork unsaved = FindUnsavedWork();
    if (mQuitConfirmed || unsaved.IsEmpty() || gEditorState == nullptr) {
        return true;
    }
    // A second close while the question is open leaves it as it is.
    if (mAskingToQuit && IsDialogOpen()) {
        return false;
    }
    // The message box is seen only in edit mode.
    if (gEditorState->IsEditing == 0) {
        EnterEditMode();
    }
    mAskingToQuit = true;
    const std::string question = EdPalMainBhv::UnsavedPrefix + unsaved.Describe() + ". Quit?";
    // A reflexive Enter keeps the work: quitting takes its button or its letter.
    ShowMessageBox(
        {QuitAnyway, GoBack}, question,
        [](const std::string& answer) {
            if (gEdRoot != nullptr) {
                gEdRoot->OnQuitAnswer(answer);
            }
        },
        GoBack);
    return false;
}

void EdRootBhv::OnQuitAnswer(const std::string& answer) {
    mAskingToQuit = false;
    if (answer == QuitAnyway) {
        mQuitConfirmed = true;
        PostQuitMessage();
        return;
    }
    // Going back answers the map's own quit question too; left open, it would wait
    // behind the editor with the map's input off.
    UiQuitPopupBhv::CloseOpen();
}

void EdRootBhv::HidePalettes() {
    if (MainPalette != nullptr) {
        MainPalette->HidePalettes();
    }
}

void EdRootBhv::ShowPalettes() {
    if (MainPalette != nullptr) {
        MainPalette->ShowPalettes();
    }
}

bool EdRootBhv::HasGameplayScreen() {
    return gGameplayScreen != nullptr;
}

void EdRootBhv::PauseGameplayScreen() {
    gGameplayScreen->SetPaused(true);
}

void EdRootBhv::ShowGameplayEditorIcons(bool show) {
    gGameplayScreen->ShowEditorIcons(show);
}

void EdRootBhv::RemoveGameplayTitleCard() {
    gGameplayScreen->RemoveTitleCard();
}

void EdRootBhv::EndGameplayArrival() {
    gGameplayScreen->EndArrival();
}

// The level goes back to the current history entry, mutable things included.
void EdRootBhv::RestoreLevelFromHistory() {
    EdLevelEditorBhv* editor =
        LevelEditorObject != nullptr ? LevelEditorObject->GetComponent<EdLevelEditorBhv>() : nullptr;
    if (editor != nullptr) {
        editor->RestoreHistory(editor->GetHistoryIndex());
    }
}
