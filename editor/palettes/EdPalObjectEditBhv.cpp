#include "editor/palettes/EdPalObjectEditBhv.h"

#include <algorithm>
#include <memory>

#include "editor/EditorState.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/palettes/PrefabUseCheck.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "editor/widgets/HeldScroll.h"
#include "object/AutoCreate.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "object/ObjectWalks.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"

namespace {

template <class T>
T* FindWidget(const GameObject* parent, const char* name) {
    const GameObject* child = parent != nullptr ? parent->FindChild(name) : nullptr;
    return child != nullptr ? child->GetComponent<T>() : nullptr;
}

void SetAllFlags(GameObject* object, uint8_t on) {
    if (object != nullptr) {
        object->InputEnabled = on;
        object->UpdateEnabled = on;
        object->DrawEnabled = on;
    }
}

std::string TypeNameOf(const IEditable* editable) {
    return gPrefabManager != nullptr ? gPrefabManager->GetComponentTypeName(editable) : std::string();
}

const IEditable* DefaultsOf(const std::string& typeName) {
    return gPrefabManager != nullptr ? gPrefabManager->FindDefaultInstance(typeName) : nullptr;
}

std::vector<EdPalObjectEditBhv::Entry> EntriesOf(const PrefabComponentList& list) {
    std::vector<EdPalObjectEditBhv::Entry> entries;
    for (const auto& component : list) {
        entries.push_back({component.get(), component.get(), nullptr});
    }
    return entries;
}

std::string RowLabel(const SubProperty& part) {
    std::string label = "  " + part.PropertyName;
    if (!part.ComponentName.empty()) {
        label += "." + part.ComponentName;
    }
    return label;
}

// Text that the value cannot take leaves it as it was, and the row shows it again: the
// designer hears which property refused which text.
void TellRejected(const std::string& typeName, const SubProperty& part, const std::string& text) {
    std::string name = typeName + "." + part.PropertyName;
    if (!part.ComponentName.empty()) {
        name += "." + part.ComponentName;
    }
    const std::string kept = PropertyToText(part);
    ShowEditorNotice("\"" + text + "\" is not a value of " + name + (kept.empty() ? "" : ": it stays " + kept));
}

Prefab* FindPrefab(const std::string& name) {
    return gPrefabManager != nullptr ? gPrefabManager->FindPrefab(name) : nullptr;
}

using ListPalette::LevelEditor;
using ListPalette::MayChange;
using ListPalette::ReportUnkeptChange;

// An entry of the level being edited changes in the level, where its history sees it.
bool MayChangeSelectedEntry() {
    const AutoCreate* entry = gEditorState != nullptr ? gEditorState->SelectedAutoCreate : nullptr;
    return entry == nullptr || ListPalette::MayChangeEntriesOf(entry->Owner);
}

bool IsStillSelected(const void* selection) {
    if (gEditorState == nullptr || selection == nullptr) {
        return false;
    }
    return selection == gEditorState->SelectedAutoCreate || selection == gEditorState->SelectedObject ||
           selection == gEditorState->SelectedPrefab;
}

}  // namespace

EdPalObjectEditBhv::EdPalObjectEditBhv() : KeyTaker(this) {}

EdPalObjectEditBhv::~EdPalObjectEditBhv() {
    if (gEditorState != nullptr && gEditorState->ObjectEditPalette == this) {
        gEditorState->ObjectEditPalette = nullptr;
    }
}

void EdPalObjectEditBhv::Start() {
    FindWidgets();
    if (gEditorState != nullptr) {
        gEditorState->ObjectEditPalette = this;
    }
}

void EdPalObjectEditBhv::FindWidgets() {
    TitleBar = FindWidget<EdTitleBarBhv>(Owner, "TitleBar");
    NameRow = FindWidget<EdPropertyRowBhv>(Owner, "NameProperty");
    PrefabNameRow = FindWidget<EdPropertyRowBhv>(Owner, "PrefabNameProperty");
    const GameObject* moves = FindChild("MoveButtons");
    MoveUpButton = FindWidget<EdButtonBhv>(moves, "BtnMoveUp");
    MoveDownButton = FindWidget<EdButtonBhv>(moves, "BtnMoveDown");
    const GameObject* list = FindChild("ListButtons");
    AddButton = FindWidget<EdButtonBhv>(list, "BtnAdd");
    RemoveButton = FindWidget<EdButtonBhv>(list, "BtnRemove");
    ScrollUpButton = FindWidget<EdButtonBhv>(list, "BtnScrollUp");
    ScrollDownButton = FindWidget<EdButtonBhv>(list, "BtnScrollDown");
    FlagToggles = FindChild("FlagToggles");
    InputToggle = FindWidget<EdToggleBhv>(FlagToggles, "ChkInputEnabled");
    UpdateToggle = FindWidget<EdToggleBhv>(FlagToggles, "ChkUpdateEnabled");
    DrawToggle = FindWidget<EdToggleBhv>(FlagToggles, "ChkDrawEnabled");

    if (AddButton != nullptr) {
        AddButton->OnClick = [this] { AddComponent(); };
    }
    if (RemoveButton != nullptr) {
        RemoveButton->OnClick = [this] { RemoveComponent(); };
    }
    if (MoveUpButton != nullptr) {
        MoveUpButton->OnClick = [this] { MoveComponentUp(); };
    }
    if (MoveDownButton != nullptr) {
        MoveDownButton->OnClick = [this] { MoveComponentDown(); };
    }
    if (InputToggle != nullptr) {
        InputToggle->OnChanged = [this](bool on) { SetInputEnabled(on); };
    }
    if (UpdateToggle != nullptr) {
        UpdateToggle->OnChanged = [this](bool on) { SetUpdateEnabled(on); };
    }
    if (DrawToggle != nullptr) {
        DrawToggle->OnChanged = [this](bool on) { SetDrawEnabled(on); };
    }
    if (NameRow != nullptr) {
        NameRow->OnValueChanged = [this](const std::string& text) { RenameSelection(text); };
    }
    if (Owner == nullptr) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (child->PrefabName != PropertyRowPrefab || child->Name == "NameProperty" ||
            child->Name == "PrefabNameProperty") {
            continue;
        }
        if (auto* row = child->GetComponent<EdPropertyRowBhv>()) {
            BindPropertyRow(row);
        }
    }
}

void EdPalObjectEditBhv::BindPropertyRow(EdPropertyRowBhv* row) {
    const int index = static_cast<int>(Rows.size());
    Rows.push_back(row);
    RowSubProperties.emplace_back();
    RowTargets.push_back(nullptr);
    RowComponentIndex.push_back(-1);
    mRowSources.emplace_back();
    row->OnValueChanged = [this, index](const std::string& text) { OnRowValueChanged(index, text); };
    if (row->LabelItem != nullptr) {
        row->LabelItem->OnClick = [this, index] { OnRowLabelClicked(index); };
    }
}

std::vector<EdPalObjectEditBhv::Entry> EdPalObjectEditBhv::ListComponents() const {
    if (gEditorState == nullptr) {
        return {};
    }
    if (const AutoCreate* entry = gEditorState->SelectedAutoCreate) {
        return EntriesOf(entry->InstanceProperties);
    }
    if (const GameObject* object = gEditorState->SelectedObject) {
        std::vector<Entry> entries;
        for (Component* component : object->Components) {
            if (auto* editable = dynamic_cast<IEditable*>(component)) {
                entries.push_back({editable, nullptr, component});
            }
        }
        return entries;
    }
    if (const Prefab* prefab = gEditorState->SelectedPrefab) {
        return EntriesOf(prefab->Components);
    }
    return {};
}

const EdPalObjectEditBhv::Entry* EdPalObjectEditBhv::FindLiveEntry(const std::vector<Entry>& entries, int index,
                                                                   const IEditable* editable) const {
    if (index < 0 || index >= static_cast<int>(entries.size()) || entries[index].Editable != editable) {
        return nullptr;
    }
    return &entries[index];
}

void EdPalObjectEditBhv::Update() {
    const void* selection = ShowSelection();
    if (selection != LastSelection) {
        ScrollOffset = 0;
        SelectedComponentIndex = 0;
        LastSelection = selection;
    }
    const bool everythingShown = FillRows(ListComponents());
    for (size_t row = 0; row < Rows.size(); ++row) {
        Rows[row]->IsHighlighted = RowComponentIndex[row] == SelectedComponentIndex ? 1 : 0;
    }
    if (ScrollUpButton != nullptr) {
        ScrollUpButton->IsGrayedOut = ScrollOffset == 0;
    }
    if (ScrollDownButton != nullptr) {
        ScrollDownButton->IsGrayedOut = everythingShown;
    }
    RunWhileHeld(this, ScrollUpButton, &EdPalObjectEditBhv::ScrollUpCoroutine);
    RunWhileHeld(this, ScrollDownButton, &EdPalObjectEditBhv::ScrollDownCoroutine);
    if (EdPaletteBhv* palette = Owner != nullptr ? Owner->GetComponent<EdPaletteBhv>() : nullptr) {
        palette->Layout();
    }
}

const void* EdPalObjectEditBhv::ShowSelection() {
    std::string title = "Edit";
    std::string name;
    std::string prefabName;
    const void* selection = nullptr;
    bool nameEditable = true;
    SetAllFlags(FlagToggles, 0);
    if (gEditorState != nullptr && gEditorState->SelectedAutoCreate != nullptr) {
        const AutoCreate* entry = gEditorState->SelectedAutoCreate;
        title = "Edit AutoCreate";
        name = entry->Name;
        prefabName = entry->Prefab;
        selection = entry;
    } else if (gEditorState != nullptr && gEditorState->SelectedObject != nullptr) {
        const GameObject* object = gEditorState->SelectedObject;
        title = "Edit Instance";
        name = object->Name;
        prefabName = object->PrefabName;
        selection = object;
        SetAllFlags(FlagToggles, 1);
        for (auto [toggle, flag] :
             {std::pair{InputToggle, object->InputEnabled}, std::pair{UpdateToggle, object->UpdateEnabled},
              std::pair{DrawToggle, object->DrawEnabled}}) {
            if (toggle != nullptr) {
                toggle->Value = flag != 0;
            }
        }
    } else if (gEditorState != nullptr && gEditorState->SelectedPrefab != nullptr) {
        title = "Edit Prefab";
        name = gEditorState->SelectedPrefab->Name;
        selection = gEditorState->SelectedPrefab;
    } else {
        nameEditable = false;
    }
    if (TitleBar != nullptr) {
        TitleBar->Title = title;
    }
    if (NameRow != nullptr) {
        NameRow->IsEditable = nameEditable;
        NameRow->ValueText = name;
    }
    if (PrefabNameRow != nullptr) {
        PrefabNameRow->ValueText = prefabName;
    }
    return selection;
}

bool EdPalObjectEditBhv::FillRows(const std::vector<Entry>& entries) {
    ShapeFixture = nullptr;
    SelectedSprite = nullptr;
    mShapeFixtureIndex = -1;
    mSelectedSpriteIndex = -1;
    const int rows = static_cast<int>(Rows.size());
    const int last = ScrollOffset + rows - 1;
    int v = 0;
    // The row showing virtual row v, or -1 when v is scrolled out of view.
    auto shownRow = [&](int virtualRow) {
        return virtualRow >= ScrollOffset && virtualRow <= last ? virtualRow - ScrollOffset : -1;
    };
    for (int c = 0; c < static_cast<int>(entries.size()) && v <= last; ++c) {
        IEditable* editable = entries[c].Editable;
        const std::string typeName = TypeNameOf(editable);
        const IEditable* defaults = DefaultsOf(typeName);
        const bool hasProperties = defaults != nullptr && !defaults->Properties.empty();
        if (const int row = shownRow(v); row >= 0) {
            ClearRow(row);
            RowComponentIndex[row] = c;
            Rows[row]->Label = hasProperties ? typeName + ":" : typeName;
            mRowSources[row] = {editable, typeName};
        }
        ++v;
        if (c == SelectedComponentIndex) {
            SelectedSprite = typeName == "SpriteCmp" ? editable : nullptr;
            ShapeFixture = typeName == "B2FixtureCmp" ? editable : nullptr;
            mSelectedSpriteIndex = SelectedSprite != nullptr ? c : -1;
            mShapeFixtureIndex = ShapeFixture != nullptr ? c : -1;
        }
        if (defaults == nullptr) {
            continue;
        }
        for (const auto& [name, defaultRegistration] : defaults->Properties) {
            if (v > last) {
                break;
            }
            // A prefab entry lists every property of its type, overridden or not.
            std::unique_ptr<PropertyRegistration> emptyHolder;
            const PropertyRegistration* registration = editable->FindProperty(name);
            if (registration == nullptr) {
                emptyHolder = defaultRegistration->CreateEmptyHolder();
                registration = emptyHolder.get();
            }
            for (int k = 0; v <= last; ++k) {
                const SubProperty part = registration->MakeSubProperty(name, k);
                if (const int row = shownRow(v); row >= 0) {
                    RowComponentIndex[row] = c;
                    Rows[row]->Label = RowLabel(part);
                    Rows[row]->ValueText = PropertyToText(part);
                    Rows[row]->IsEditable = true;
                    // The empty holder dies with this pass: a write re-derives the part.
                    RowSubProperties[row] = emptyHolder != nullptr ? SubProperty() : part;
                    RowSubProperties[row].PropertyName = name;
                    RowSubProperties[row].ComponentIndex = k;
                    RowTargets[row] = entries[c].Holder;
                    mRowSources[row] = {editable, typeName};
                }
                ++v;
                if (part.IsLastComponent) {
                    break;
                }
            }
        }
    }
    const bool everythingShown = v <= last;
    for (int row = std::max(v - ScrollOffset, 0); row < rows; ++row) {
        ClearRow(row);
    }
    return everythingShown;
}

void EdPalObjectEditBhv::ClearRow(size_t row) {
    RowComponentIndex[row] = -1;
    Rows[row]->IsEditable = false;
    Rows[row]->Label.clear();
    Rows[row]->ValueText.clear();
    RowSubProperties[row] = SubProperty();
    RowTargets[row] = nullptr;
    mRowSources[row] = RowSource();
}

CoCommand EdPalObjectEditBhv::ScrollUpCoroutine(int step) {
    static const CoroutineBodyId id;
    return ScrollStep(step, id, ScrollOffset, std::max(ScrollOffset - 1, 0), ScrollInterval);
}

CoCommand EdPalObjectEditBhv::ScrollDownCoroutine(int step) {
    static const CoroutineBodyId id;
    const bool more = !Rows.empty() && !Rows.back()->Label.empty();
    return ScrollStep(step, id, ScrollOffset, more ? ScrollOffset + 1 : ScrollOffset, ScrollInterval);
}

CoCommand EdPalObjectEditBhv::FocusNameCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    if (step == 0) {
        return CoWaitFrames(1);
    }
    if (NameRow != nullptr && NameRow->ValueField != nullptr) {
        NameRow->ValueField->Text.clear();
        NameRow->ValueField->Caret = 0;
        NameRow->ValueField->HasFocus = 1;
    }
    return CoStop();
}

void EdPalObjectEditBhv::OnRowLabelClicked(int row) {
    if (row >= 0 && row < static_cast<int>(Rows.size()) && RowComponentIndex[row] != -1) {
        SelectedComponentIndex = RowComponentIndex[row];
    }
}

void EdPalObjectEditBhv::OnRowValueChanged(int row, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(Rows.size())) {
        return;
    }
    // The component may have gone since the row was filled (removed, or its object
    // destroyed): only a component still at its place in the selection is written.
    const RowSource source = mRowSources[row];
    const std::vector<Entry> entries = ListComponents();
    const Entry* entry = FindLiveEntry(entries, RowComponentIndex[row], source.Editable);
    const std::string& name = RowSubProperties[row].PropertyName;
    if (entry == nullptr || name.empty() || TypeNameOf(entry->Editable) != source.TypeName) {
        return;
    }
    SubProperty part;
    part.PropertyName = name;
    part.ComponentIndex = RowSubProperties[row].ComponentIndex;
    if (entry->Holder == nullptr) {
        WriteLive(*entry, part, text);
        return;
    }
    if (!MayChangeSelectedEntry()) {
        return;
    }
    WriteHolder(*entry->Holder, source.TypeName, part, text);
    MarkSelectionModified();
}

void EdPalObjectEditBhv::WriteLive(const Entry& entry, const SubProperty& part, const std::string& text) {
    const PropertyRegistration* registration = entry.Editable->FindProperty(part.PropertyName);
    if (registration == nullptr) {
        return;
    }
    SubProperty live = registration->MakeSubProperty(part.PropertyName, part.ComponentIndex);
    const std::string before = PropertyToText(live);
    // A thing of the edited level changes through the level's history, as a move does.
    EdLevelEditorBhv* levelEditor = gEditorState != nullptr ? gEditorState->LevelEditor : nullptr;
    const GameObject* owner = entry.Live != nullptr ? entry.Live->Owner : nullptr;
    if (levelEditor != nullptr && owner != nullptr && text != before &&
        !levelEditor->MayEditValue(*owner, *entry.Editable, part.PropertyName)) {
        return;
    }
    if (!PropertyFromText(live, text)) {
        TellRejected(TypeNameOf(entry.Editable), live, text);
        return;
    }
    if (levelEditor != nullptr && owner != nullptr && PropertyToText(live) != before) {
        levelEditor->OnThingValueEdited(*owner, *entry.Editable, part.PropertyName);
    }
}

void EdPalObjectEditBhv::WriteHolder(PrefabComponent& entry, const std::string& typeName, const SubProperty& part,
                                     const std::string& text) {
    const std::string& name = part.PropertyName;
    auto found = entry.Properties.find(name);
    if (text.empty()) {
        // The override goes; the property falls back to the type's default.
        if (found != entry.Properties.end()) {
            delete found->second;
            entry.Properties.erase(found);
        }
        return;
    }
    if (found == entry.Properties.end()) {
        const IEditable* defaults = DefaultsOf(typeName);
        const PropertyRegistration* defaultRegistration = defaults != nullptr ? defaults->FindProperty(name) : nullptr;
        if (defaultRegistration == nullptr) {
            return;
        }
        std::unique_ptr<PropertyRegistration> holder = defaultRegistration->CreateValueHolder();
        defaultRegistration->CopyTo(holder.get());
        entry.SetProperty(name, std::move(holder));
        found = entry.Properties.find(name);
    }
    SubProperty holderPart = found->second->MakeSubProperty(name, part.ComponentIndex);
    if (!PropertyFromText(holderPart, text)) {
        TellRejected(typeName, holderPart, text);
    }
}

void EdPalObjectEditBhv::MarkSelectionModified() const {
    if (gEditorState == nullptr) {
        return;
    }
    if (gEditorState->SelectedPrefab != nullptr) {
        gEditorState->SelectedPrefab->Modified = true;
    } else if (gEditorState->SelectedAutoCreate != nullptr) {
        if (Prefab* listed = FindPrefab(gEditorState->SelectedName)) {
            listed->Modified = true;
        }
    }
}

void EdPalObjectEditBhv::OnNameChanged(const std::string& text) {
    if (gEditorState == nullptr) {
        return;
    }
    EditorState& state = *gEditorState;
    if (state.SelectedAutoCreate != nullptr) {
        if (MayChangeSelectedEntry()) {
            state.SelectedAutoCreate->Name = text;
            MarkSelectionModified();
        }
    } else if (state.SelectedObject != nullptr) {
        if (text != state.SelectedObject->Name && ListPalette::MayRename(*state.SelectedObject)) {
            state.SelectedObject->Name = text;
        }
    } else if (state.SelectedPrefab != nullptr && !text.empty()) {
        RenamePrefab(state.SelectedPrefab->Name, text);
    }
}

void EdPalObjectEditBhv::RenameSelection(const std::string& text) {
    const GameObject* object = gEditorState != nullptr ? gEditorState->SelectedObject : nullptr;
    const std::string before = object != nullptr ? object->Name : std::string();
    // The level keeps its things' names: a rename of one is an undo step.
    EdLevelEditorBhv* levelEditor = gEditorState != nullptr ? gEditorState->LevelEditor : nullptr;
    if (levelEditor != nullptr && object != nullptr && text != before && !levelEditor->MayEdit(*object)) {
        return;
    }
    OnNameChanged(text);
    if (levelEditor != nullptr && object != nullptr && gEditorState->SelectedObject == object &&
        object->Name != before) {
        levelEditor->OnThingRenamed(*object);
    }
}

void EdPalObjectEditBhv::RenamePrefab(const std::string& oldName, const std::string& text) {
    // Nothing to ask about when nothing would change.
    if (text == oldName || !IsValidPrefabName(text)) {
        return;
    }
    ConfirmChangeOfUsedPrefab(oldName, "Rename", [oldName, text] {
        Prefab* prefab = gPrefabManager != nullptr ? gPrefabManager->FindPrefab(oldName) : nullptr;
        if (prefab != nullptr && prefab->MakeNameUnique(text) && gEditorState != nullptr &&
            gEditorState->SelectedName == oldName) {
            gEditorState->SelectedName = prefab->Name;
        }
    });
}

void EdPalObjectEditBhv::AddComponent() {
    if (gEditorState == nullptr || gEditorState->ComponentPicker == nullptr) {
        return;
    }
    if (gEditorState->SelectedObject == nullptr && gEditorState->SelectedPrefab == nullptr &&
        gEditorState->SelectedAutoCreate == nullptr) {
        return;
    }
    if (gEditorState->SelectedObject != nullptr && !MayChange(*gEditorState->SelectedObject)) {
        return;
    }
    gEditorState->ComponentPicker->Show([this](const std::string& typeName) { OnComponentPicked(typeName); });
}

void EdPalObjectEditBhv::OnComponentPicked(const std::string& typeName) {
    if (gEditorState == nullptr || gPrefabManager == nullptr) {
        return;
    }
    const ComponentTypeEntry* type = gPrefabManager->FindComponentType(typeName);
    const IEditable* defaults = DefaultsOf(typeName);
    if (type == nullptr || defaults == nullptr) {
        return;
    }
    EditorState& state = *gEditorState;
    PrefabComponentList* list = nullptr;
    if (state.SelectedAutoCreate != nullptr) {
        if (!MayChangeSelectedEntry()) {
            return;
        }
        list = &state.SelectedAutoCreate->InstanceProperties;
    } else if (state.SelectedObject != nullptr) {
        GameObject& object = *state.SelectedObject;
        if (!MayChange(object)) {
            return;
        }
        std::unique_ptr<IEditable> created = type->Create();
        auto* component = dynamic_cast<Component*>(created.get());
        if (component == nullptr) {
            return;
        }
        created.release();
        object.AddComponent(component);
        if (auto* behavior = dynamic_cast<Behavior*>(component)) {
            behavior->Start();
        }
        ReportUnkeptChange(object, typeName + " added to");
        return;
    } else if (state.SelectedPrefab != nullptr) {
        list = &state.SelectedPrefab->Components;
    } else {
        return;
    }
    auto entry = std::make_unique<PrefabComponent>();
    entry->TypeName = typeName;
    entry->Type = defaults->Type;
    list->push_back(std::move(entry));
    MarkSelectionModified();
}

void EdPalObjectEditBhv::RemoveComponent() {
    if (gEditorState == nullptr) {
        return;
    }
    const std::vector<Entry> entries = ListComponents();
    if (SelectedComponentIndex < 0 || SelectedComponentIndex >= static_cast<int>(entries.size())) {
        return;
    }
    const Entry& entry = entries[SelectedComponentIndex];
    if (entry.Live != nullptr) {
        GameObject& object = *entry.Live->Owner;
        if (entry.Live->PendingDelete == 0 && MayChange(object)) {
            QueueComponentForDeletion(entry.Live);
            ReportUnkeptChange(object, TypeNameOf(entry.Editable) + " removed from");
        }
        return;
    }
    if (!MayChangeSelectedEntry()) {
        return;
    }
    PrefabComponentList& list = gEditorState->SelectedAutoCreate != nullptr
                                    ? gEditorState->SelectedAutoCreate->InstanceProperties
                                    : gEditorState->SelectedPrefab->Components;
    list.erase(list.begin() + SelectedComponentIndex);
    MarkSelectionModified();
}

void EdPalObjectEditBhv::MoveComponent(int offset) {
    if (gEditorState == nullptr) {
        return;
    }
    const std::vector<Entry> entries = ListComponents();
    if (SelectedComponentIndex < 0 || SelectedComponentIndex >= static_cast<int>(entries.size())) {
        return;
    }
    const Entry& entry = entries[SelectedComponentIndex];
    bool moved = false;
    if (entry.Live != nullptr) {
        GameObject& object = *entry.Live->Owner;
        if (!MayChange(object)) {
            return;
        }
        moved = entry.Live->MoveInOwner(offset);
        if (moved) {
            ReportUnkeptChange(object, TypeNameOf(entry.Editable) + " moved in");
        }
    } else if (gEditorState->SelectedPrefab != nullptr) {
        moved = gEditorState->SelectedPrefab->MoveComponent(entry.Holder, offset);
        if (moved) {
            MarkSelectionModified();
        }
    }
    if (moved) {
        SelectedComponentIndex += offset;
    }
}

void EdPalObjectEditBhv::SetInputEnabled(bool on) {
    SetSelectedFlag(&GameObject::InputEnabled, "InputEnabled", on);
}

void EdPalObjectEditBhv::SetUpdateEnabled(bool on) {
    SetSelectedFlag(&GameObject::UpdateEnabled, "UpdateEnabled", on);
}

void EdPalObjectEditBhv::SetDrawEnabled(bool on) {
    SetSelectedFlag(&GameObject::DrawEnabled, "DrawEnabled", on);
}

void EdPalObjectEditBhv::SetSelectedFlag(uint8_t GameObject::*flag, const char* name, bool on) {
    GameObject* object = gEditorState != nullptr ? gEditorState->SelectedObject : nullptr;
    const uint8_t value = on ? 1 : 0;
    if (object == nullptr || object->*flag == value || !MayChange(*object)) {
        return;
    }
    object->*flag = value;
    ReportUnkeptChange(*object, std::string(name) + " of");
}

void EdPalObjectEditBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    const bool shape = EdInput::IsCtrlPress(stroke, Key::E);
    const bool origin = EdInput::IsCtrlPress(stroke, Key::L);
    if ((!shape && !origin) || !IsStillSelected(LastSelection)) {
        return;
    }
    const std::vector<Entry> entries = ListComponents();
    if (shape && FindLiveEntry(entries, mShapeFixtureIndex, ShapeFixture) != nullptr &&
        gEditorState->BeginShapeEditing) {
        gEditorState->BeginShapeEditing(ShapeFixture);
    }
    if (origin) {
        if (const Entry* sprite = FindLiveEntry(entries, mSelectedSpriteIndex, SelectedSprite)) {
            CentreSpriteOrigin(*sprite);
        }
    }
}

void EdPalObjectEditBhv::CentreSpriteOrigin(const Entry& sprite) const {
    const PropertyRegistration* size = sprite.Editable->FindProperty("Size");
    const PropertyRegistration* origin = sprite.Editable->FindProperty("Origin");
    if (size == nullptr || origin == nullptr) {
        return;
    }
    // A thing of the level changes as through the origin's rows, as one edit.
    EdLevelEditorBhv* levelEditor = LevelEditor();
    const GameObject* owner = sprite.Live != nullptr ? sprite.Live->Owner : nullptr;
    if (levelEditor != nullptr && owner != nullptr && !levelEditor->MayEditValue(*owner, *sprite.Editable, "Origin")) {
        return;
    }
    const auto originText = [origin] {
        return PropertyToText(origin->MakeSubProperty("Origin", 0)) + " " +
               PropertyToText(origin->MakeSubProperty("Origin", 1));
    };
    const std::string before = originText();
    for (int part = 0; part < 2; ++part) {
        const float extent = ParseFloat(PropertyToText(size->MakeSubProperty("Size", part))).value_or(0.0f);
        SubProperty target = origin->MakeSubProperty("Origin", part);
        PropertyFromText(target, FloatToText(extent * -0.5f));
    }
    if (levelEditor != nullptr && owner != nullptr && originText() != before) {
        levelEditor->OnThingValueEdited(*owner, *sprite.Editable, "Origin");
    }
}
