#include "editor/palettes/EdPalAutoCreateListBhv.h"

#include "editor/EditorState.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/HeldScroll.h"
#include "object/AutoCreate.h"
#include "object/GameObject.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"

using ListPalette::FindWidget;

EdPalAutoCreateListBhv::EdPalAutoCreateListBhv() : KeyTaker(this) {}

void EdPalAutoCreateListBhv::Start() {
    FindWidgets();
}

void EdPalAutoCreateListBhv::FindWidgets() {
    BtnDuplicate = FindWidget<EdButtonBhv>(FindChild("ButtonRow1"), "BtnDuplicate");
    const GameObject* list = FindChild("ListButtons");
    BtnAdd = FindWidget<EdButtonBhv>(list, "BtnAdd");
    BtnRemove = FindWidget<EdButtonBhv>(list, "BtnRemove");
    BtnScrollUp = FindWidget<EdButtonBhv>(list, "BtnScrollUp");
    BtnScrollDown = FindWidget<EdButtonBhv>(list, "BtnScrollDown");
    const GameObject* moves = FindChild("MoveButtons");
    BtnMoveUp = FindWidget<EdButtonBhv>(moves, "BtnMoveUp");
    BtnMoveDown = FindWidget<EdButtonBhv>(moves, "BtnMoveDown");
    Items = ListPalette::FindRows(Owner);

    for (size_t i = 0; i < Items.size(); ++i) {
        const int row = static_cast<int>(i);
        Items[i]->OnClick = [this, row] { SelectRow(row); };
    }
    if (BtnDuplicate != nullptr) {
        BtnDuplicate->OnClick = [this] { DuplicateEntry(); };
    }
    if (BtnAdd != nullptr) {
        BtnAdd->OnClick = [this] { AddEntry(); };
    }
    if (BtnRemove != nullptr) {
        BtnRemove->OnClick = [this] { RemoveEntry(); };
    }
    if (BtnMoveUp != nullptr) {
        BtnMoveUp->OnClick = [this] { MoveEntry(-1); };
    }
    if (BtnMoveDown != nullptr) {
        BtnMoveDown->OnClick = [this] { MoveEntry(1); };
    }
}

std::string EdPalAutoCreateListBhv::EntryLabel(const AutoCreate& entry) {
    return entry.Name + "  (" + entry.Prefab + ")";
}

Prefab* EdPalAutoCreateListBhv::CurrentPrefab() {
    if (gEditorState == nullptr || gPrefabManager == nullptr || gEditorState->SelectedName.empty()) {
        return nullptr;
    }
    return gPrefabManager->FindPrefab(gEditorState->SelectedName);
}

const std::vector<std::unique_ptr<AutoCreate>>& EdPalAutoCreateListBhv::CurrentEntries() const {
    const Prefab* prefab = CurrentPrefab();
    return prefab != nullptr ? prefab->AutoCreates : NoEntries;
}

int EdPalAutoCreateListBhv::SelectedIndex() {
    const Prefab* prefab = CurrentPrefab();
    if (prefab == nullptr || gEditorState->SelectedAutoCreate == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < prefab->AutoCreates.size(); ++i) {
        if (prefab->AutoCreates[i].get() == gEditorState->SelectedAutoCreate) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void EdPalAutoCreateListBhv::Update() {
    if (gEditorState == nullptr) {
        return;
    }
    const auto& entries = CurrentEntries();
    EntryCount = static_cast<int>(entries.size());
    for (size_t i = 0; i < Items.size(); ++i) {
        const size_t k = static_cast<size_t>(ScrollOffset) + i;
        const AutoCreate* entry = k < entries.size() ? entries[k].get() : nullptr;
        ListPalette::ShowRow(Items[i], entry != nullptr ? EntryLabel(*entry) : std::string(),
                             gEditorState->IsSelected(entry));
    }
    ListPalette::RefreshScrollButtons(BtnScrollUp, BtnScrollDown, ScrollOffset, false);
    RunWhileHeld(this, BtnScrollUp, &EdPalAutoCreateListBhv::ScrollUpCoroutine);
    RunWhileHeld(this, BtnScrollDown, &EdPalAutoCreateListBhv::ScrollDownCoroutine);
}

void EdPalAutoCreateListBhv::SelectRow(int row) {
    const auto& entries = CurrentEntries();
    const int k = ScrollOffset + row;
    if (row >= 0 && k < static_cast<int>(entries.size())) {
        gEditorState->SelectAutoCreate(entries[static_cast<size_t>(k)].get());
    }
}

void EdPalAutoCreateListBhv::AddEntry() {
    if (gEditorState != nullptr && gEditorState->PrefabPicker != nullptr &&
        ListPalette::MayChangeEntriesOf(CurrentPrefab())) {
        gEditorState->PrefabPicker->Show([this](const std::string& name) { OnPrefabPicked(name); });
    }
}

void EdPalAutoCreateListBhv::OnPrefabPicked(const std::string& prefabName) {
    Prefab* owner = CurrentPrefab();
    const Prefab* picked =
        !prefabName.empty() && gPrefabManager != nullptr ? gPrefabManager->FindPrefab(prefabName) : nullptr;
    if (owner == nullptr || picked == nullptr || !ListPalette::MayChangeEntriesOf(owner)) {
        return;
    }
    auto entry = std::make_unique<AutoCreate>();
    entry->Prefab = prefabName;
    entry->Owner = owner;
    // One empty holder per component, so the inspector lists them with nothing overridden.
    for (const auto& component : picked->Components) {
        auto holder = std::make_unique<PrefabComponent>();
        holder->TypeName = component->TypeName;
        holder->Type = component->Type;
        entry->InstanceProperties.push_back(std::move(holder));
    }
    AutoCreate* added = entry.get();
    owner->AutoCreates.push_back(std::move(entry));
    owner->Modified = true;
    gEditorState->SelectAutoCreate(added);
}

void EdPalAutoCreateListBhv::DuplicateEntry() {
    const int index = SelectedIndex();
    Prefab* owner = CurrentPrefab();
    if (index < 0 || !ListPalette::MayChangeEntriesOf(owner)) {
        return;
    }
    auto copy = AutoCreate::Clone(*owner->AutoCreates[static_cast<size_t>(index)]);
    copy->Owner = owner;
    AutoCreate* added = copy.get();
    owner->AutoCreates.insert(owner->AutoCreates.begin() + index + 1, std::move(copy));
    owner->Modified = true;
    gEditorState->SelectAutoCreate(added);
}

void EdPalAutoCreateListBhv::RemoveEntry() {
    const int index = SelectedIndex();
    Prefab* owner = CurrentPrefab();
    if (index < 0 || !ListPalette::MayChangeEntriesOf(owner)) {
        return;
    }
    auto& entries = owner->AutoCreates;
    entries.erase(entries.begin() + index);
    owner->Modified = true;
    if (entries.empty()) {
        gEditorState->SelectAutoCreate(nullptr);
        return;
    }
    const size_t next = std::min(static_cast<size_t>(index), entries.size() - 1);
    gEditorState->SelectAutoCreate(entries[next].get());
}

void EdPalAutoCreateListBhv::MoveEntry(int offset) {
    if (SelectedIndex() >= 0 && ListPalette::MayChangeEntriesOf(CurrentPrefab())) {
        gEditorState->SelectedAutoCreate->Move(offset);
    }
}

void EdPalAutoCreateListBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (gEditorState != nullptr && gEditorState->SelectedAutoCreate != nullptr &&
        EdInput::IsPress(stroke, Key::Insert)) {
        AddEntry();
    }
}

CoCommand EdPalAutoCreateListBhv::ScrollUpCoroutine(int step) {
    static const CoroutineBodyId id;
    return ScrollStep(step, id, ScrollOffset, std::max(ScrollOffset - 1, 0), ScrollInterval);
}

CoCommand EdPalAutoCreateListBhv::ScrollDownCoroutine(int step) {
    static const CoroutineBodyId id;
    const int last = ListPalette::LastScrollOffset(EntryCount, static_cast<int>(Items.size()));
    return ScrollStep(step, id, ScrollOffset, std::min(ScrollOffset + 1, last), ScrollInterval);
}
