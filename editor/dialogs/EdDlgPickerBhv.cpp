#include "editor/dialogs/EdDlgPickerBhv.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "editor/EditorState.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/HeldScroll.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"

namespace {

template <class T>
T* FindWidget(const GameObject* parent, const char* name) {
    const GameObject* child = parent != nullptr ? parent->FindChild(name) : nullptr;
    return child != nullptr ? child->GetComponent<T>() : nullptr;
}

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

template <class Map>
std::vector<std::string> KeysOf(const Map& map) {
    std::vector<std::string> keys;
    keys.reserve(map.size());
    for (const auto& entry : map) {
        keys.push_back(entry.first);
    }
    return keys;
}

}  // namespace

template <class Self>
EdDlgPickerBhv<Self>::~EdDlgPickerBhv() {
    Self** slot = Self::StateSlot();
    // Compared as addresses: the derived part is already gone here.
    if (slot != nullptr && static_cast<const void*>(*slot) == mRegisteredAs) {
        *slot = nullptr;
    }
}

template <class Self>
void EdDlgPickerBhv<Self>::Start() {
    Dialog = Owner != nullptr ? Owner->GetComponent<EdDialogBhv>() : nullptr;
    OkButton = FindWidget<EdButtonBhv>(Owner, "BtnOk");
    CancelButton = FindWidget<EdButtonBhv>(Owner, "BtnCancel");
    ScrollUpButton = FindWidget<EdButtonBhv>(Owner, "BtnScrollUp");
    ScrollDownButton = FindWidget<EdButtonBhv>(Owner, "BtnScrollDown");
    FilterRow = FindWidget<EdPropertyRowBhv>(Owner, "Filter");
    FilterField = FilterRow != nullptr ? FindWidget<EdFieldBhv>(FilterRow->Owner, "Value") : nullptr;
    if (OkButton != nullptr) {
        OkButton->OnClick = [this] { OnOk(); };
    }
    if (CancelButton != nullptr) {
        CancelButton->OnClick = [this] { OnCancel(); };
    }
    if (FilterRow != nullptr) {
        // A committed filter stays in the field once it loses the focus.
        FilterRow->OnValueChanged = [this](const std::string& text) { FilterRow->ValueText = text; };
    }
    if (const GameObject* buttons = FindChild("Buttons")) {
        for (const GameObject* child : buttons->Children) {
            if (auto* item = child->GetComponent<EdListItemBhv>()) {
                const int row = static_cast<int>(Items.size());
                item->OnClick = [this, row] { Select(row); };
                item->Label.clear();
                Items.push_back(item);
            }
        }
    }
    if (Self** slot = Self::StateSlot()) {
        *slot = static_cast<Self*>(this);
        mRegisteredAs = *slot;
    }
}

template <class Self>
void EdDlgPickerBhv<Self>::Show(PickerCallback callback) {
    if (Dialog != nullptr) {
        Dialog->Open();
    }
    Callback = std::move(callback);
    SelectedRow = 0;
    ScrollOffset = 0;
    LastFilter.clear();
    if (FilterRow != nullptr) {
        FilterRow->ValueText.clear();
    }
    if (FilterField != nullptr) {
        FilterField->Text.clear();
        FilterField->Caret = 0;
        FilterField->HasFocus = 1;
    }
}

template <class Self>
bool EdDlgPickerBhv<Self>::Matches(const std::string& name, const std::string& filter) {
    return filter.empty() || ToLower(name).find(ToLower(filter)) != std::string::npos;
}

template <class Self>
void EdDlgPickerBhv<Self>::Update() {
    ShowFilter();
    RunWhileHeld(this, ScrollUpButton, &EdDlgPickerBhv::ScrollUpCoroutine);
    RunWhileHeld(this, ScrollDownButton, &EdDlgPickerBhv::ScrollDownCoroutine);
    if (Dialog != nullptr) {
        Dialog->Layout();
    }
}

template <class Self>
void EdDlgPickerBhv<Self>::ShowFilter() {
    const std::string filter = FilterField != nullptr ? FilterField->Text : std::string();
    if (FilterField != nullptr && FilterField->HasFocus != 0 && FilterRow != nullptr) {
        FilterRow->ValueText = filter;
    }
    if (filter != LastFilter) {
        LastFilter = filter;
        SelectedRow = 0;
        ScrollOffset = 0;
    }
    const bool rowLeftEmpty = FillRows(filter);
    for (size_t row = 0; row < Items.size(); ++row) {
        Items[row]->IsMarked = static_cast<int>(row) == SelectedRow ? 1 : 0;
    }
    if (ScrollUpButton != nullptr) {
        ScrollUpButton->IsGrayedOut = ScrollOffset == 0;
    }
    if (ScrollDownButton != nullptr) {
        ScrollDownButton->IsGrayedOut = rowLeftEmpty;
    }
}

template <class Self>
bool EdDlgPickerBhv<Self>::FillRows(const std::string& filter) {
    const int rows = static_cast<int>(Items.size());
    const int last = ScrollOffset + rows - 1;
    int match = 0;
    int row = 0;
    const std::string none = Self::NoneLabel;
    if (!none.empty() && filter.empty()) {
        if (ScrollOffset == 0 && row < rows) {
            Items[row++]->Label = none;
        }
        match = 1;
    }
    for (const std::string& name : Self::Names()) {
        if (match > last) {
            break;
        }
        if (!Matches(name, filter)) {
            continue;
        }
        if (match >= ScrollOffset) {
            Items[row++]->Label = name;
        }
        ++match;
    }
    const bool leftEmpty = row < rows;
    for (; row < rows; ++row) {
        Items[row]->Label.clear();
    }
    return leftEmpty;
}

template <class Self>
CoCommand EdDlgPickerBhv<Self>::ScrollUpCoroutine(int step) {
    static const CoroutineBodyId id;
    return ScrollStep(step, id, ScrollOffset, std::max(ScrollOffset - 1, 0), ScrollRepeat);
}

template <class Self>
CoCommand EdDlgPickerBhv<Self>::ScrollDownCoroutine(int step) {
    static const CoroutineBodyId id;
    const bool more = !Items.empty() && !Items.back()->Label.empty();
    return ScrollStep(step, id, ScrollOffset, more ? ScrollOffset + 1 : ScrollOffset, ScrollRepeat);
}

template <class Self>
bool EdDlgPickerBhv<Self>::IsRowFilled(int row) const {
    return row >= 0 && row < static_cast<int>(Items.size()) && !Items[row]->Label.empty();
}

template <class Self>
void EdDlgPickerBhv<Self>::Select(int row) {
    if (IsRowFilled(row)) {
        SelectedRow = row;
    }
}

template <class Self>
void EdDlgPickerBhv<Self>::OnOk() {
    std::string name = IsRowFilled(SelectedRow) ? Items[SelectedRow]->Label : std::string();
    const bool picked = !name.empty();
    if (name == Self::NoneLabel) {
        name.clear();
    }
    PickerCallback callback = std::move(Callback);
    Finish();
    if (callback && picked) {
        callback(name);
    }
}

template <class Self>
void EdDlgPickerBhv<Self>::OnCancel() {
    Finish();
}

template <class Self>
void EdDlgPickerBhv<Self>::Finish() {
    Callback = nullptr;
    if (FilterField != nullptr) {
        FilterField->HasFocus = 0;
    }
    if (Dialog != nullptr) {
        Dialog->Close();
    }
}

template <class Self>
bool EdDlgPickerBhv<Self>::HoldsKeyboard() const {
    return Dialog != nullptr && Dialog->HoldsKeyboard();
}

// The letters typed before the key reached the filter before it: the rows show them
// first.
template <class Self>
void EdDlgPickerBhv<Self>::CaptureStroke(const KeyStroke& stroke) {
    if (!HoldsKeyboard()) {
        return;
    }
    if (EdInput::IsPress(stroke, Key::Esc)) {
        OnCancel();
        return;
    }
    const bool enter = EdInput::IsPress(stroke, Key::OemEnter);
    const int step = stroke.Key == KeyCode(Key::Up) ? -1 : stroke.Key == KeyCode(Key::Down) ? 1 : 0;
    if (!enter && step == 0) {
        return;
    }
    ShowFilter();
    if (enter) {
        OnOk();
    } else if (IsRowFilled(SelectedRow + step)) {
        SelectedRow += step;
    }
}

std::vector<std::string> EdDlgComponentPickerBhv::Names() {
    return gPrefabManager != nullptr ? KeysOf(gPrefabManager->ComponentTypes) : std::vector<std::string>();
}

EdDlgComponentPickerBhv** EdDlgComponentPickerBhv::StateSlot() {
    return gEditorState != nullptr ? &gEditorState->ComponentPicker : nullptr;
}

std::vector<std::string> EdDlgPrefabPickerBhv::Names() {
    return gPrefabManager != nullptr ? KeysOf(gPrefabManager->Prefabs) : std::vector<std::string>();
}

EdDlgPrefabPickerBhv** EdDlgPrefabPickerBhv::StateSlot() {
    return gEditorState != nullptr ? &gEditorState->PrefabPicker : nullptr;
}

template class EdDlgPickerBhv<EdDlgComponentPickerBhv>;
template class EdDlgPickerBhv<EdDlgPrefabPickerBhv>;
