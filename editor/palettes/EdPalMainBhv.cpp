#include "editor/palettes/EdPalMainBhv.h"

#include "editor/EditorState.h"
#include "editor/UnsavedWork.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdSpacerBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "editor/widgets/TextFitting.h"
#include "game/levels/SavedDataBhv.h"
#include "object/ContentWarning.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "render/Graphics.h"
#include "render/TextCmp.h"

namespace {

using ListPalette::FindWidget;

EdToggleBhv* FindToggle(GameObject* row, const char* name) {
    return FindWidget<EdToggleBhv>(row, name);
}

void SetAllFlags(GameObject* object, bool on) {
    if (object != nullptr) {
        const uint8_t flag = on ? 1 : 0;
        object->InputEnabled = flag;
        object->UpdateEnabled = flag;
        object->DrawEnabled = flag;
    }
}

}  // namespace

EdPalMainBhv::EdPalMainBhv() : KeyTaker(this) {}

EdPalMainBhv::~EdPalMainBhv() {
    if (gEditorState != nullptr && gEditorState->MainPalette == this) {
        gEditorState->MainPalette = nullptr;
        SetContentWarningListener(nullptr);
        SetContentReadCleanListener(nullptr);
    }
}

void EdPalMainBhv::Start() {
    Palette = Owner != nullptr ? Owner->GetComponent<EdPaletteBhv>() : nullptr;
    GameObject* toggles = FindChild("PaletteToggles");
    ChkObjectList = FindToggle(toggles, "ChkObjectList");
    ChkPrefabList = FindToggle(toggles, "ChkPrefabList");
    ChkAutoCreateList = FindToggle(toggles, "ChkAutoCreateList");
    ChkEdit = FindToggle(toggles, "ChkEdit");
    GameObject* buttons = FindChild("ButtonRow1");
    ChkPauseGame = FindToggle(buttons, "ChkPauseGame");
    ChkShowPhysics = FindToggle(buttons, "ChkShowPhysics");
    StatusRow = FindWidget<EdPropertyRowBhv>(Owner, "InsertingRow");
    mUnsaved.Row = FindWidget<EdSpacerBhv>(Owner, "UnsavedRow");
    mNotice.Row = FindWidget<EdSpacerBhv>(Owner, "NoticeRow");
    // Hidden until they have something to say.
    ShowMessage(mUnsaved, "");
    ShowMessage(mNotice, "");

    BindPaletteToggle(ChkObjectList, "PalObjectList");
    BindPaletteToggle(ChkPrefabList, "PalPrefabList");
    BindPaletteToggle(ChkAutoCreateList, "PalAutoCreateList");
    BindPaletteToggle(ChkEdit, "PalObjectEdit");
    if (ChkPauseGame != nullptr) {
        // The game is still drawn, frozen.
        ChkPauseGame->OnChanged = [](bool paused) {
            if (gGameplayRoot != nullptr) {
                gGameplayRoot->InputEnabled = paused ? 0 : 1;
                gGameplayRoot->UpdateEnabled = paused ? 0 : 1;
            }
        };
    }
    if (ChkShowPhysics != nullptr) {
        ChkShowPhysics->OnChanged = [](bool show) {
            if (gGraphics != nullptr) {
                gGraphics->ShowPhysics = show ? 1 : 0;
            }
        };
    }
    if (gEditorState != nullptr) {
        gEditorState->MainPalette = this;
        // Content problems met while the editor lives are the designer's to see.
        SetContentWarningListener([](const std::string& text) { ShowEditorNotice(text); });
        ShowLoadingNotices();
        SetContentReadCleanListener([](const std::filesystem::path& file) {
            if (gEditorState != nullptr && gEditorState->MainPalette != nullptr) {
                gEditorState->MainPalette->WithdrawNoticeAbout(file);
            }
        });
    }
}

void EdPalMainBhv::ShowLoadingNotices() {
    std::string told;
    for (const std::string& text : TakeUnheardContentWarnings()) {
        told += (told.empty() ? "" : "\n") + text;
    }
    if (!told.empty()) {
        ShowNotice(told);
        mLoadingNotice = told;
    }
}

void EdPalMainBhv::BindPaletteToggle(EdToggleBhv* toggle, const char* paletteName) {
    if (toggle == nullptr) {
        return;
    }
    toggle->OnChanged = [this, paletteName](bool shown) {
        GameObject* palettesRoot = Owner != nullptr ? Owner->Parent : nullptr;
        SetAllFlags(palettesRoot != nullptr ? palettesRoot->FindChild(paletteName) : nullptr, shown);
    };
}

void EdPalMainBhv::HidePalettes() {
    SetPalettesShown(false);
}

void EdPalMainBhv::ShowPalettes() {
    SetPalettesShown(true);
}

void EdPalMainBhv::SetPalettesShown(bool shown) {
    for (EdToggleBhv* toggle : {ChkObjectList, ChkPrefabList, ChkEdit, ChkAutoCreateList}) {
        if (toggle != nullptr) {
            toggle->SetValue(shown);
        }
    }
}

bool EdPalMainBhv::IsAnyPaletteShown() const {
    for (const EdToggleBhv* toggle : {ChkObjectList, ChkPrefabList, ChkAutoCreateList, ChkEdit}) {
        if (toggle != nullptr && toggle->Value) {
            return true;
        }
    }
    return false;
}

std::string EdPalMainBhv::GetInsertPrefabName() const {
    if (StatusRow == nullptr) {
        return "";
    }
    const std::string& text = StatusRow->ValueText;
    const size_t prefix = std::char_traits<char>::length(ObjectPrefix);
    return text.size() > prefix ? text.substr(prefix) : "";
}

std::string EdPalMainBhv::FindInsertName() {
    if (gEditorState == nullptr || gPrefabManager == nullptr) {
        return "";
    }
    const Prefab* sources = gPrefabManager->FindPrefab(SourcesPrefab);
    if (sources == nullptr) {
        return "";
    }
    for (const auto& entry : sources->AutoCreates) {
        if (entry->Prefab == gEditorState->SelectedName) {
            return gEditorState->SelectedName;
        }
    }
    return "";
}

void EdPalMainBhv::Update() {
    UpdateStatusRow();
    const UnsavedWork unsaved = FindUnsavedWork();
    ShowMessage(mUnsaved, unsaved.IsEmpty() ? "" : UnsavedPrefix + unsaved.Describe());
    AgeNotice();
}

void EdPalMainBhv::UpdateStatusRow() {
    if (StatusRow == nullptr) {
        return;
    }
    const std::string value = ObjectPrefix + FindInsertName();
    const std::string label = LevelPrefix + gCurrentLevelName;
    if (StatusRow->ValueText == value && StatusRow->Label == label) {
        return;
    }
    StatusRow->ValueText = value;
    StatusRow->Label = label;
    if (Palette != nullptr) {
        Palette->Layout();
    }
}

void EdPalMainBhv::ShowNotice(const std::string& text) {
    mNoticeAge = 0.0f;
    if (text.empty()) {
        mLoadingNotice.clear();
    }
    // A message of play must not hide the cause the start-up told before the designer
    // has seen it: a prefab not loaded, then a level without it.
    ShowMessage(mNotice, mLoadingNotice.empty() ? text : mLoadingNotice + "\n" + text);
}

void EdPalMainBhv::WithdrawNoticeAbout(const std::filesystem::path& file) {
    if (file.empty()) {
        return;
    }
    const std::string& text = mNotice.Text;
    if (text.find(file.generic_string()) != std::string::npos || text.find(file.string()) != std::string::npos) {
        mLoadingNotice.clear();
        ShowMessage(mNotice, "");
    }
}

void EdPalMainBhv::AgeNotice() {
    if (mNotice.Text.empty()) {
        return;
    }
    mNoticeAge += CurrentFrameDelta();
    // Shown in edit mode: from now on the next message replaces it.
    mLoadingNotice.clear();
    if (mNoticeAge >= NoticeSeconds) {
        ShowMessage(mNotice, "");
    }
}

void EdPalMainBhv::ShowMessage(MessageRow& row, const std::string& text) {
    GameObject* object = row.Row != nullptr ? row.Row->Owner : nullptr;
    const uint8_t shown = text.empty() ? 0 : 1;
    if (object == nullptr || (text == row.Text && object->DrawEnabled == shown)) {
        return;
    }
    row.Text = text;
    object->DrawEnabled = shown;
    GameObject* label = object->FindChild("Text");
    if (label != nullptr && label->Text != nullptr) {
        const float width = Palette != nullptr ? Palette->Width : row.Row->Rect.Width;
        TextCmp& lines = *label->Text;
        lines.BoxSize = Vector2(width - 2.0f * RowMargin, 0.0f);
        lines.Text = TextFitting::FitToLines(lines, text, row.MaxLines);
        row.Row->Height = TextFitting::LaidOutHeight(lines) + 2.0f * RowPadding;
        // The spacer stands at its centre and its children are placed from there; the
        // text hangs from the top left.
        EdLook::SetPosition(label, Vector2(RowMargin - width / 2.0f, RowPadding - row.Row->Height / 2.0f));
        EdLook::SetSpriteSize(object->FindChild("Background"), Vector2(width, row.Row->Height));
    }
    if (Palette != nullptr) {
        Palette->Layout();
    }
}

void EdPalMainBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (EdInput::IsPress(stroke, Key::Pause) && ChkPauseGame != nullptr) {
        ChkPauseGame->SetValue(!ChkPauseGame->Value);
    }
    if (EdInput::IsPress(stroke, Key::Tab)) {
        if (ChkObjectList != nullptr && ChkObjectList->Value) {
            HidePalettes();
        } else {
            ShowPalettes();
        }
    }
}
