#include "editor/palettes/EdPalPrefabListBhv.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/palettes/PrefabUseCheck.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/HeldScroll.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"

using ListPalette::FindWidget;

namespace {

std::string Lowered(const std::string& text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

Prefab* FindPrefab(const std::string& name) {
    return gPrefabManager != nullptr && !name.empty() ? gPrefabManager->FindPrefab(name) : nullptr;
}

void SelectPrefab(Prefab* prefab) {
    gEditorState->SelectPrefab(prefab);
    gEditorState->SelectedName = prefab->Name;
}

// Save all answers even when nothing needed saving: the button is never greyed.
void ConfirmSaveAll(const std::vector<std::string>& saved, const std::vector<std::string>& removed) {
    if (saved.empty() && removed.empty()) {
        ShowEditorNotice("No modified prefabs to save");
    } else {
        ListPalette::ReportSaved(saved, removed);
    }
}

}  // namespace

EdPalPrefabListBhv::EdPalPrefabListBhv() : KeyTaker(this) {}

void EdPalPrefabListBhv::Start() {
    FindWidgets();
}

void EdPalPrefabListBhv::FindWidgets() {
    const GameObject* list = FindChild("ListButtons");
    BtnAdd = FindWidget<EdButtonBhv>(list, "BtnAdd");
    BtnRemove = FindWidget<EdButtonBhv>(list, "BtnRemove");
    BtnScrollUp = FindWidget<EdButtonBhv>(list, "BtnScrollUp");
    BtnScrollDown = FindWidget<EdButtonBhv>(list, "BtnScrollDown");
    const GameObject* saves = FindChild("SaveButtons");
    BtnSaveCurrent = FindWidget<EdButtonBhv>(saves, "BtnSaveCurrent");
    BtnSaveAll = FindWidget<EdButtonBhv>(saves, "BtnSaveAll");
    const GameObject* instances = FindChild("InstanceButtons");
    BtnUpdateAll = FindWidget<EdButtonBhv>(instances, "BtnUpdateAll");
    BtnDuplicate = FindWidget<EdButtonBhv>(instances, "BtnDuplicate");
    FilterRow = FindWidget<EdPropertyRowBhv>(Owner, "FilterRow");
    FilterField = FilterRow != nullptr ? FilterRow->ValueField : nullptr;
    Items = ListPalette::FindRows(Owner);

    for (size_t i = 0; i < Items.size(); ++i) {
        const int row = static_cast<int>(i);
        Items[i]->OnClick = [this, row] { SelectRow(row); };
    }
    const std::pair<EdButtonBhv*, void (EdPalPrefabListBhv::*)()> bindings[] = {
        {BtnAdd, &EdPalPrefabListBhv::NewPrefab},           {BtnRemove, &EdPalPrefabListBhv::RemovePrefab},
        {BtnSaveCurrent, &EdPalPrefabListBhv::SaveCurrent}, {BtnSaveAll, &EdPalPrefabListBhv::SaveAll},
        {BtnUpdateAll, &EdPalPrefabListBhv::UpdateAll},     {BtnDuplicate, &EdPalPrefabListBhv::Duplicate},
    };
    for (const auto& [button, handler] : bindings) {
        if (button != nullptr) {
            button->OnClick = [this, handler = handler] { (this->*handler)(); };
        }
    }
    if (FilterRow != nullptr) {
        FilterRow->OnValueChanged = [this](const std::string& text) { FilterRow->ValueText = text; };
    }
}

bool EdPalPrefabListBhv::MatchesFilter(const std::string& name, const std::string& filter) {
    return filter.empty() || Lowered(name).find(Lowered(filter)) != std::string::npos;
}

Prefab* EdPalPrefabListBhv::CurrentPrefab() const {
    return gEditorState != nullptr ? FindPrefab(gEditorState->SelectedName) : nullptr;
}

void EdPalPrefabListBhv::Update() {
    if (gEditorState == nullptr || gPrefabManager == nullptr) {
        return;
    }
    if (BtnSaveCurrent != nullptr) {
        const Prefab* current = CurrentPrefab();
        BtnSaveCurrent->IsGrayedOut = current == nullptr || !current->Modified;
        ListPalette::Refresh(BtnSaveCurrent);
    }
    if (FilterField != nullptr && Filter != FilterField->Text) {
        Filter = FilterField->Text;
        ScrollOffset = 0;
    }
    ListPalette::Refresh(FilterRow);
    const bool exhausted = FillRows();
    ListPalette::RefreshScrollButtons(BtnScrollUp, BtnScrollDown, ScrollOffset, exhausted);
    RunWhileHeld(this, BtnScrollUp, &EdPalPrefabListBhv::ScrollUpCoroutine);
    RunWhileHeld(this, BtnScrollDown, &EdPalPrefabListBhv::ScrollDownCoroutine);
}

bool EdPalPrefabListBhv::FillRows() {
    auto it = gPrefabManager->Prefabs.begin();
    const auto end = gPrefabManager->Prefabs.end();
    const auto nextMatch = [&]() -> const Prefab* {
        for (; it != end; ++it) {
            if (MatchesFilter(it->first, Filter)) {
                return (it++)->second.get();
            }
        }
        return nullptr;
    };
    for (int skipped = 0; skipped < ScrollOffset && nextMatch() != nullptr; ++skipped) {
    }
    bool exhausted = false;
    for (EdListItemBhv* row : Items) {
        const Prefab* prefab = nextMatch();
        exhausted = exhausted || prefab == nullptr;
        row->IsSelected = prefab != nullptr && prefab->Name == gEditorState->SelectedName ? 1 : 0;
        ListPalette::ShowRow(row, prefab != nullptr ? prefab->Name : std::string(),
                             prefab != nullptr && gEditorState->IsSelected(prefab));
    }
    return exhausted;
}

void EdPalPrefabListBhv::SelectRow(int row) {
    if (row < 0 || row >= static_cast<int>(Items.size())) {
        return;
    }
    if (Prefab* prefab = FindPrefab(Items[static_cast<size_t>(row)]->Label)) {
        SelectPrefab(prefab);
    }
}

void EdPalPrefabListBhv::NewPrefab() {
    if (gEditorState == nullptr || gPrefabManager == nullptr) {
        return;
    }
    Prefab* prefab = gPrefabManager->AddPrefab(std::make_unique<Prefab>(), NewPrefabName);
    if (prefab == nullptr) {
        return;
    }
    prefab->Modified = true;
    SelectPrefab(prefab);
    if (EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette) {
        Coroutine* focus = inspector->FindOrCreateCoroutine(&EdPalObjectEditBhv::FocusNameCoroutine);
        if (!focus->Running) {
            focus->Start();
        }
    }
}

void EdPalPrefabListBhv::RemovePrefab() {
    if (gEditorState == nullptr || gEditorState->SelectedName.empty()) {
        return;
    }
    const std::string name = gEditorState->SelectedName;
    if (FindPrefab(name) == nullptr) {
        return;
    }
    ConfirmChangeOfUsedPrefab(name, "Remove", [this, name] { RemovePrefabNow(name); });
}

void EdPalPrefabListBhv::RemovePrefabNow(const std::string& name) {
    auto& prefabs = gPrefabManager->Prefabs;
    const auto found = prefabs.find(name);
    if (found == prefabs.end()) {
        return;
    }
    const bool wasSelected = gEditorState->IsSelected(found->second.get());
    // The next row the list shows: a prefab the filter hides must not be selected, or
    // the next Remove would delete it unseen.
    auto next = std::next(found);
    while (next != prefabs.end() && !MatchesFilter(next->first, Filter)) {
        ++next;
    }
    if (next != prefabs.end()) {
        gEditorState->SelectedName = next->first;
        if (wasSelected) {
            gEditorState->SelectPrefab(next->second.get());
        }
    }
    // The deleting hook clears the selection when it pointed here.
    gPrefabManager->RemovePrefab(name);
}

void EdPalPrefabListBhv::SaveCurrent() {
    std::vector<std::string> saved;
    if (WriteCurrent(saved)) {
        ListPalette::ReportSaved(saved);
    }
}

void EdPalPrefabListBhv::SaveAll() {
    std::vector<std::string> saved;
    std::vector<std::string> removed;
    if (WriteAllModified(saved, removed)) {
        ConfirmSaveAll(saved, removed);
    }
}

bool EdPalPrefabListBhv::WriteCurrent(std::vector<std::string>& saved) {
    Prefab* current = CurrentPrefab();
    if (current == nullptr || !current->Modified) {
        return true;
    }
    try {
        gPrefabManager->SavePrefab(*current);
    } catch (const ContentError& error) {
        ListPalette::ReportSaveFailure(error.what());
        return false;
    }
    saved.push_back(current->Name);
    return true;
}

bool EdPalPrefabListBhv::WriteAllModified(std::vector<std::string>& saved, std::vector<std::string>& removed) {
    if (gPrefabManager == nullptr) {
        return true;
    }
    const std::vector<std::string> modified = gPrefabManager->ModifiedPrefabNames();
    const std::vector<std::string> gone = gPrefabManager->RemovedPrefabNames();
    try {
        gPrefabManager->SaveModifiedPrefabs();
    } catch (const ContentError& error) {
        ListPalette::ReportSaveFailure(error.what());
        return false;
    }
    saved.insert(saved.end(), modified.begin(), modified.end());
    removed.insert(removed.end(), gone.begin(), gone.end());
    return true;
}

void EdPalPrefabListBhv::Duplicate() {
    const Prefab* selected = gEditorState != nullptr ? gEditorState->SelectedPrefab : nullptr;
    if (selected == nullptr) {
        return;
    }
    if (Prefab* copy = Prefab::Duplicate(*selected)) {
        SelectPrefab(copy);
    }
}

void EdPalPrefabListBhv::UpdateAll() {
    const Prefab* selected = gEditorState != nullptr ? gEditorState->SelectedPrefab : nullptr;
    if (selected != nullptr && gRootObject != nullptr) {
        selected->ApplyToInstances(gRootObject);
    }
}

void EdPalPrefabListBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (gEditorState == nullptr) {
        return;
    }
    const bool saveKey = EdInput::IsCtrlPress(stroke, Key::S);
    // Ctrl+Shift+S saves the current prefab, then the rest: one confirmation for both.
    std::vector<std::string> saved;
    std::vector<std::string> removed;
    bool failed = false;
    if (saveKey && gEditorState->SelectedObject == nullptr) {
        failed = !WriteCurrent(saved);
    }
    if (EdInput::IsPress(stroke, Key::Insert) && gEditorState->SelectedPrefab != nullptr) {
        NewPrefab();
    }
    if (saveKey && stroke.Shift) {
        failed = !WriteAllModified(saved, removed) || failed;
        if (!failed) {
            ConfirmSaveAll(saved, removed);
        }
    } else if (!failed) {
        ListPalette::ReportSaved(saved);
    }
}

CoCommand EdPalPrefabListBhv::ScrollUpCoroutine(int step) {
    static const CoroutineBodyId id;
    return ScrollStep(step, id, ScrollOffset, std::max(ScrollOffset - 1, 0), ScrollInterval);
}

CoCommand EdPalPrefabListBhv::ScrollDownCoroutine(int step) {
    static const CoroutineBodyId id;
    const bool more = !Items.empty() && !Items.back()->Label.empty();
    return ScrollStep(step, id, ScrollOffset, more ? ScrollOffset + 1 : ScrollOffset, ScrollInterval);
}
