#include "editor/palettes/EdPalObjectListBhv.h"

#include <algorithm>
#include <map>
#include <vector>

#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/HeldScroll.h"
#include "object/AutoCreate.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"
#include "object/SceneRoots.h"

using ListPalette::FindWidget;

namespace {

Prefab* FindPrefab(const std::string& name) {
    return gPrefabManager != nullptr && !name.empty() ? gPrefabManager->FindPrefab(name) : nullptr;
}

std::string TypeNameOf(const IEditable* editable) {
    return gPrefabManager != nullptr ? gPrefabManager->GetComponentTypeName(editable) : std::string();
}

// The n-th entry of that type in the list, or null.
PrefabComponent* NthOfType(PrefabComponentList& list, const std::string& typeName, int n) {
    for (auto& entry : list) {
        if (entry->TypeName == typeName && n-- == 0) {
            return entry.get();
        }
    }
    return nullptr;
}

void SelectObject(GameObject* object) {
    if (gEditorState != nullptr) {
        gEditorState->SelectObject(object);
    }
}

using ListPalette::LevelEditor;
using ListPalette::MayChange;
// A part of a thing of the level (a child of one, or deeper) came, went or moved: the
// level rebuilds parts from the thing's prefab, so this is named as not kept.
using ListPalette::ReportUnkeptChange;

// A thing of the level came, went or moved among its group: one undo step, and the
// level is unsaved, as after the level editor's own edits.
void RecordLevelChange() {
    if (EdLevelEditorBhv* editor = LevelEditor()) {
        editor->PushHistory();
    }
}

// The editor's root or anything below it.
bool IsEditorObject(const GameObject* object) {
    for (; gEdRoot != nullptr && object != nullptr; object = object->Parent) {
        if (object == gEdRoot->Owner) {
            return true;
        }
    }
    return false;
}

using ListPalette::IsLevelOrGroup;

// Whether the object is one of the fixed objects or holds one below it.
bool HoldsFixedObject(const GameObject* object) {
    if (object == gRootObject || object == gGameplayRoot || IsEditorObject(object) || IsLevelOrGroup(object)) {
        return true;
    }
    for (const GameObject* child : object->Children) {
        if (HoldsFixedObject(child)) {
            return true;
        }
    }
    return false;
}

// A level keeps only what its groups hold: beside them an object would be in no file,
// and the history would take it for a group. Refused, and the designer hears why.
bool MayAddUnder(const GameObject& parent) {
    if (&parent != FindEditedLevel()) {
        return MayChange(parent);
    }
    ShowEditorNotice("Nothing added to " + EdPalObjectListBhv::ObjectLabel(&parent, false) +
                     ": a level keeps only what its groups hold");
    return false;
}

}  // namespace

EdPalObjectListBhv::EdPalObjectListBhv() : KeyTaker(this) {}

void EdPalObjectListBhv::Start() {
    FindWidgets();
}

void EdPalObjectListBhv::FindWidgets() {
    Palette = Owner != nullptr ? Owner->GetComponent<EdPaletteBhv>() : nullptr;
    ParentItem = FindWidget<EdListItemBhv>(Owner, "ParentItem");
    const GameObject* list = FindChild("ListButtons");
    BtnAdd = FindWidget<EdButtonBhv>(list, "BtnAdd");
    BtnRemove = FindWidget<EdButtonBhv>(list, "BtnRemove");
    BtnScrollUp = FindWidget<EdButtonBhv>(list, "BtnScrollUp");
    BtnScrollDown = FindWidget<EdButtonBhv>(list, "BtnScrollDown");
    const GameObject* row1 = FindChild("ButtonRow1");
    BtnUpdatePrefab = FindWidget<EdButtonBhv>(row1, "BtnUpdatePrefab");
    BtnReload = FindWidget<EdButtonBhv>(row1, "BtnReload");
    const GameObject* moves = FindChild("MoveButtons");
    BtnMoveUp = FindWidget<EdButtonBhv>(moves, "BtnMoveUp");
    BtnMoveDown = FindWidget<EdButtonBhv>(moves, "BtnMoveDown");
    Items = ListPalette::FindRows(Owner, "ParentItem");

    for (size_t i = 0; i < Items.size(); ++i) {
        const int row = static_cast<int>(i);
        Items[i]->OnClick = [this, row] { SelectRow(row); };
        Items[i]->OnRightClick = [this, row] { DescendRow(row); };
    }
    if (ParentItem != nullptr) {
        ParentItem->OnClick = [this] { SelectParent(); };
        ParentItem->OnRightClick = [this] { ClimbToParent(); };
    }
    if (BtnAdd != nullptr) {
        BtnAdd->OnClick = [this] { AddObject(); };
    }
    if (BtnRemove != nullptr) {
        BtnRemove->OnClick = [this] { RemoveSelected(); };
    }
    if (BtnUpdatePrefab != nullptr) {
        BtnUpdatePrefab->OnClick = [] {
            if (gEditorState != nullptr) {
                UpdatePrefabFromInstance(gEditorState->SelectedObject);
            }
        };
    }
    if (BtnReload != nullptr) {
        BtnReload->OnClick = [this] { ReloadSelected(); };
    }
    if (BtnMoveUp != nullptr) {
        BtnMoveUp->OnClick = [this] { MoveSelected(-1); };
    }
    if (BtnMoveDown != nullptr) {
        BtnMoveDown->OnClick = [this] { MoveSelected(1); };
    }
}

std::string EdPalObjectListBhv::ObjectLabel(const GameObject* object, bool markChildren) {
    if (object == nullptr) {
        return std::string();
    }
    std::string label = !object->Name.empty() ? object->Name : object->PrefabName;
    if (label.empty()) {
        label = "GameObject";
    }
    if (markChildren && !object->Children.empty()) {
        label += ChildrenMark;
    }
    return label;
}

GameObject* EdPalObjectListBhv::ChildAt(int row) const {
    const GameObject* parent = gEditorState != nullptr ? gEditorState->InsertParent : nullptr;
    const int k = ScrollOffset + row;
    if (parent == nullptr || k < 0 || k >= static_cast<int>(parent->Children.size())) {
        return nullptr;
    }
    return parent->Children[static_cast<size_t>(k)];
}

void EdPalObjectListBhv::Update() {
    if (gEditorState == nullptr) {
        return;
    }
    if (gEditorState->InsertParent == nullptr) {
        gEditorState->InsertParent = gGameplayRoot;
    }
    const GameObject* parent = gEditorState->InsertParent;
    ListPalette::ShowRow(ParentItem, ObjectLabel(parent, false), gEditorState->IsSelected(parent));
    for (size_t i = 0; i < Items.size(); ++i) {
        const GameObject* child = ChildAt(static_cast<int>(i));
        ListPalette::ShowRow(Items[i], ObjectLabel(child, true), gEditorState->IsSelected(child));
    }
    ListPalette::RefreshScrollButtons(BtnScrollUp, BtnScrollDown, ScrollOffset, false);
    RunWhileHeld(this, BtnScrollUp, &EdPalObjectListBhv::ScrollUpCoroutine);
    RunWhileHeld(this, BtnScrollDown, &EdPalObjectListBhv::ScrollDownCoroutine);
}

void EdPalObjectListBhv::SelectRow(int row) {
    if (GameObject* child = ChildAt(row)) {
        SelectObject(child);
    }
}

void EdPalObjectListBhv::DescendRow(int row) {
    if (GameObject* child = ChildAt(row)) {
        gEditorState->InsertParent = child;
        ScrollOffset = 0;
    }
}

void EdPalObjectListBhv::SelectParent() {
    if (gEditorState != nullptr && gEditorState->InsertParent != nullptr) {
        SelectObject(gEditorState->InsertParent);
    }
}

void EdPalObjectListBhv::ClimbToParent() {
    GameObject* parent = gEditorState != nullptr ? gEditorState->InsertParent : nullptr;
    if (parent != nullptr && parent->Parent != nullptr) {
        gEditorState->InsertParent = parent->Parent;
        ScrollOffset = 0;
    }
}

void EdPalObjectListBhv::AddObject() {
    if (gEditorState == nullptr || gEditorState->PrefabPicker == nullptr) {
        return;
    }
    if (gEditorState->InsertParent != nullptr && !MayAddUnder(*gEditorState->InsertParent)) {
        return;
    }
    gEditorState->PrefabPicker->Show([this](const std::string& name) { OnPrefabPicked(name); });
}

void EdPalObjectListBhv::OnPrefabPicked(const std::string& prefabName) {
    GameObject* parent = gEditorState != nullptr ? gEditorState->InsertParent : nullptr;
    if (parent == nullptr || !MayAddUnder(*parent)) {
        return;
    }
    GameObject* object = nullptr;
    if (prefabName.empty()) {
        object = new GameObject();
        object->Name = NewObjectName;
    } else if (FindPrefab(prefabName) != nullptr) {
        object = new GameObject(prefabName);
    } else {
        return;
    }
    parent->AddChild(object);
    SelectObject(object);
    if (EdLevelEditorBhv::HoldsThing(object)) {
        RecordLevelChange();
    } else if (EdLevelEditorBhv* editor = LevelEditor()) {
        editor->OnUnkeptAddition(*object);
    }
}

bool EdPalObjectListBhv::IsProtected(const GameObject* object) {
    return object != nullptr && HoldsFixedObject(object);
}

GameObject* EdPalObjectListBhv::SelectionToChange(const char* verb) {
    GameObject* object = gEditorState != nullptr ? gEditorState->SelectedObject : nullptr;
    if (object == nullptr) {
        return nullptr;
    }
    // The level's groups are found by their place; the rest must keep theirs too.
    if (IsProtected(object)) {
        ShowEditorNotice(std::string("Cannot ") + verb + " " + ObjectLabel(object, false));
        return nullptr;
    }
    return MayChange(*object) ? object : nullptr;
}

void EdPalObjectListBhv::RemoveSelected() {
    GameObject* object = SelectionToChange("remove");
    if (object == nullptr) {
        return;
    }
    const bool thing = EdLevelEditorBhv::HoldsThing(object);
    object->Destroy();
    if (thing) {
        RecordLevelChange();
    } else if (object->Parent != nullptr) {
        ReportUnkeptChange(*object->Parent, ObjectLabel(object, false) + " removed from");
    }
}

void EdPalObjectListBhv::ReloadSelected() {
    const GameObject* selected = gEditorState != nullptr ? gEditorState->SelectedObject : nullptr;
    if (selected == nullptr || selected->PrefabName.empty()) {
        return;
    }
    GameObject* object = SelectionToChange("reload");
    if (object == nullptr) {
        return;
    }
    // The fresh object takes its prefab's name.
    const std::string label = ObjectLabel(object, false);
    if (GameObject* fresh = object->Recreate()) {
        SelectObject(fresh);
        if (EdLevelEditorBhv::HoldsThing(fresh)) {
            RecordLevelChange();
        } else {
            ReportUnkeptChange(*fresh->Parent, label + " reloaded in");
        }
    }
}

void EdPalObjectListBhv::MoveSelected(int offset) {
    GameObject* object = SelectionToChange("move");
    if (object == nullptr) {
        return;
    }
    // A level keeps its things in their order, not its things' parts in theirs.
    const std::vector<GameObject*> order =
        object->Parent != nullptr ? object->Parent->Children : std::vector<GameObject*>();
    object->SwapWithSibling(offset);
    if (object->Parent == nullptr || object->Parent->Children == order) {
        return;
    }
    if (EdLevelEditorBhv::HoldsThing(object)) {
        RecordLevelChange();
    } else {
        ReportUnkeptChange(*object->Parent, ObjectLabel(object, false) + " moved in");
    }
}

AutoCreate* EdPalObjectListBhv::FindAutoCreateOf(const GameObject* object) {
    if (object == nullptr || object->Parent == nullptr) {
        return nullptr;
    }
    const Prefab* prefab = FindPrefab(object->Parent->PrefabName);
    if (prefab == nullptr) {
        return nullptr;
    }
    int k = 0;
    for (const GameObject* sibling : object->Parent->Children) {
        if (sibling == object) {
            break;
        }
        if (sibling->Name == object->Name) {
            ++k;
        }
    }
    for (const auto& entry : prefab->AutoCreates) {
        const std::string& name = entry->Name.empty() ? entry->Prefab : entry->Name;
        if (name == object->Name && entry->Prefab == object->PrefabName && k-- == 0) {
            return entry.get();
        }
    }
    return nullptr;
}

void EdPalObjectListBhv::UpdatePrefabFromInstance(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    AutoCreate* entry = FindAutoCreateOf(object);
    Prefab* prefab = FindPrefab(object->PrefabName);
    if (entry == nullptr && prefab == nullptr) {
        return;
    }
    std::map<std::string, int> seen;
    for (const Component* component : object->Components) {
        const auto* editable = dynamic_cast<const IEditable*>(component);
        if (editable == nullptr) {
            continue;
        }
        const std::string typeName = TypeNameOf(editable);
        const int n = seen[typeName]++;
        PrefabComponent* override = entry != nullptr ? NthOfType(entry->InstanceProperties, typeName, n) : nullptr;
        PrefabComponent* own = prefab != nullptr ? NthOfType(prefab->Components, typeName, n) : nullptr;
        for (const auto& [name, registration] : editable->Properties) {
            PrefabComponent* target = nullptr;
            if (override != nullptr && override->Properties.count(name) != 0) {
                target = override;
                entry->Owner->Modified = true;
            } else if (own != nullptr && own->Properties.count(name) != 0) {
                target = own;
                prefab->Modified = true;
            }
            if (target != nullptr) {
                registration->CopyTo(target->Properties.at(name));
            }
        }
    }
}

void EdPalObjectListBhv::SaveSelectedToPrefabs() {
    const GameObject* object = gEditorState != nullptr ? gEditorState->SelectedObject : nullptr;
    if (object == nullptr) {
        return;
    }
    UpdatePrefabFromInstance(object);
    const AutoCreate* entry = FindAutoCreateOf(object);
    std::vector<std::string> saved;
    bool failed = false;
    for (Prefab* prefab : {entry != nullptr ? entry->Owner : nullptr, FindPrefab(object->PrefabName)}) {
        if (prefab == nullptr) {
            continue;
        }
        try {
            prefab->Save();
            saved.push_back(prefab->Name);
        } catch (const ContentError& error) {
            ListPalette::ReportSaveFailure(error.what());
            failed = true;
        }
    }
    // A confirmation must not hide the failure.
    if (!failed) {
        ListPalette::ReportSaved(saved);
    }
}

void EdPalObjectListBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> /*after*/) {
    if (gEditorState == nullptr || gEditorState->SelectedObject == nullptr) {
        return;
    }
    if (EdInput::IsPress(stroke, Key::Insert)) {
        AddObject();
    } else if (EdInput::IsCtrlPress(stroke, Key::S)) {
        SaveSelectedToPrefabs();
    } else if (EdInput::IsCtrlPress(stroke, Key::P)) {
        if (Prefab* prefab = FindPrefab(gEditorState->SelectedObject->PrefabName)) {
            gEditorState->SelectPrefab(prefab);
            gEditorState->SelectedName = prefab->Name;
        }
    }
}

CoCommand EdPalObjectListBhv::ScrollUpCoroutine(int step) {
    static const CoroutineBodyId id;
    return ScrollStep(step, id, ScrollOffset, std::max(ScrollOffset - 1, 0), ScrollInterval);
}

CoCommand EdPalObjectListBhv::ScrollDownCoroutine(int step) {
    static const CoroutineBodyId id;
    const GameObject* parent = gEditorState != nullptr ? gEditorState->InsertParent : nullptr;
    const int count = parent != nullptr ? static_cast<int>(parent->Children.size()) : 0;
    const int last = ListPalette::LastScrollOffset(count, static_cast<int>(Items.size()));
    return ScrollStep(step, id, ScrollOffset, std::min(ScrollOffset + 1, last), ScrollInterval);
}
