// The level editor's undo history, saving, level switching and play-test keys.

#include <algorithm>
#include <iostream>

#include "editor/EdNameList.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/ListPaletteSupport.h"
#include "editor/widgets/EdInput.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"

namespace {

constexpr const char* kWaitForF2 = "Press F2 to edit the level as loaded: its moving things are in play";

// Why the level file does not keep a change: a value of a thing that the sources do not
// list, or anything else (a part, a component, a flag).
std::string NotListedReason() {
    return std::string("\"") + EdPalMainBhv::SourcesPrefab + "\" does not list it";
}

std::string OnlyListedValuesReason() {
    return std::string("a level keeps only the values of its things that \"") + EdPalMainBhv::SourcesPrefab +
           "\" lists";
}

// Why a level file has no place for an object in one of its groups: it records only
// things (objects with a ThingCmp), each placed from its "Lvl_Sources" entry.
std::string NotAThingReason(const GameObject& object, const Prefab& sources) {
    const auto& entries = sources.AutoCreates;
    const bool listed = std::any_of(entries.begin(), entries.end(),
                                    [&object](const auto& entry) { return entry->Prefab == object.PrefabName; });
    return listed ? "it has no ThingCmp" : NotListedReason();
}

// The level's entries whose prefab file could not be read built nothing in this run, so
// the snapshots lack them: they go to the end of what is saved rather than out of the
// file. (A prefab renamed or removed in the editor did build its things: the snapshots
// hold those that still stand.)
void KeepUnbuiltEntries(Prefab& level, Prefab& saved) {
    for (std::unique_ptr<AutoCreate>& entry : level.AutoCreates) {
        if (gPrefabManager->IsLeftOut(entry->Prefab) && gPrefabManager->FindPrefab(entry->Prefab) == nullptr) {
            saved.AutoCreates.push_back(std::move(entry));
        }
    }
}

bool KeepsPlayState() {
    return gEditorState != nullptr && gEditorState->KeepPlayState != 0;
}

bool IsLevelGroup(const GameObject* object) {
    const GameObject* level = FindEditedLevel();
    return level != nullptr && object->Parent == level;
}

// Whether the object is a mutable group of the level or lies in one.
bool IsInMutableGroup(const GameObject* object) {
    const GameObject* level = FindEditedLevel();
    for (; level != nullptr && object != nullptr; object = object->Parent) {
        if (object->Parent == level) {
            return IsMutableGroup(*object);
        }
    }
    return false;
}

std::string ObjectName(const GameObject& object) {
    return object.Name.empty() ? object.PrefabName : object.Name;
}

// How the designer knows the object: "Wall", or "Border of PistolPickup" for a part.
std::string NameInLevel(const GameObject& object, const GameObject& thing) {
    return &object == &thing ? ObjectName(thing) : ObjectName(object) + " of " + ObjectName(thing);
}

}  // namespace

std::unique_ptr<Prefab> EdLevelEditorBhv::TakeSnapshot(bool isMutable) const {
    const GameObject* level = FindEditedLevel();
    if (level == nullptr) {
        auto empty = std::make_unique<Prefab>();
        empty->Name = gCurrentLevelName;
        empty->Modified = true;
        return empty;
    }
    return TakeLevelSnapshot(*level, Sources(), isMutable, gCurrentLevelName);
}

void EdLevelEditorBhv::PushHistory() {
    Dirty = 1;
    auto entry = std::make_unique<LevelHistoryEntry>();
    entry->StaticSnapshot = TakeSnapshot(false);
    if (mHistory.empty() || !KeepsPlayState()) {
        entry->MutableSnapshot = TakeSnapshot(true);
    }
    while (static_cast<int>(mHistory.size()) > mHistoryIndex + 1) {
        mHistory.pop_back();
    }
    mHistory.push_back(std::move(entry));
    ++mHistoryIndex;
}

void EdLevelEditorBhv::RestoreHistory(int index) {
    if (index < 0 || index >= static_cast<int>(mHistory.size()) || gGameplayScreen == nullptr) {
        return;
    }
    const bool keepPlayState = KeepsPlayState();
    gGameplayScreen->RemoveLevelObject(keepPlayState);
    gGameplayScreen->BuildLevelObject(mHistory[static_cast<size_t>(index)]->StaticSnapshot.get());
    if (!keepPlayState) {
        for (int i = index; i >= 0; --i) {
            if (Prefab* snapshot = mHistory[static_cast<size_t>(i)]->MutableSnapshot.get()) {
                gGameplayScreen->BuildLevelObject(snapshot);
                break;
            }
        }
    }
    if (index != mHistoryIndex) {
        Dirty = 1;
    }
    mHistoryIndex = index;
    ForgetUnkept();
    // A move or turn begun before leaving edit mode ends with the things it held.
    mToolMode = Tool::None;
    Selection.clear();
}

void EdLevelEditorBhv::ResetHistory() {
    while (!mHistory.empty()) {
        mHistory.pop_back();
    }
    mHistoryIndex = -1;
    mToolMode = Tool::None;
    ForgetUnkept();
    PushHistory();
    Selection.clear();
    Dirty = 0;
}

void EdLevelEditorBhv::SaveLevel(const std::string& levelName) {
    if (mHistory.empty() || mHistoryIndex < 0 || gPrefabManager == nullptr) {
        return;
    }
    const Prefab* mutableSnapshot = nullptr;
    for (int i = mHistoryIndex; i >= 0 && mutableSnapshot == nullptr; --i) {
        mutableSnapshot = mHistory[static_cast<size_t>(i)]->MutableSnapshot.get();
    }
    std::unique_ptr<Prefab> saved =
        MergeLevelSnapshots(*mHistory[static_cast<size_t>(mHistoryIndex)]->StaticSnapshot, mutableSnapshot, levelName);
    // The level prefab keeps its identity: the prefab list, the auto-create list and
    // the editor's selection may point at it.
    Prefab* level = gPrefabManager->FindPrefab(levelName);
    if (level != nullptr) {
        KeepUnbuiltEntries(*level, *saved);
        level->AutoCreates = std::move(saved->AutoCreates);
        for (const auto& entry : level->AutoCreates) {
            entry->Owner = level;
        }
        level->Modified = true;
    } else {
        level = gPrefabManager->AddPrefab(std::move(saved), levelName);
    }
    if (level == nullptr) {
        ListPalette::ReportSaveFailure("\"" + levelName + "\" cannot be a level's file name");
        return;
    }
    try {
        level->Save();
        Dirty = 0;
    } catch (const ContentError& error) {
        ListPalette::ReportSaveFailure(error.what());
        return;
    }
    // What the file did not take still stands: it stays named, unsaved while it is an
    // addition, and the next undo's to take back.
    ShowEditorNotice(SaveConfirmation(level->Name, true));
    WarnOfIncompleteThings(*level);
}

void EdLevelEditorBhv::SaveOnKeys() {
    if (Dirty != 0) {
        SaveLevel(gCurrentLevelName);
    } else if (!mUnkeptEdits.empty()) {
        ShowEditorNotice(SaveConfirmation(gCurrentLevelName, false));
    }
}

// A designer is never told "Saved" of an edit that the file did not take.
std::string EdLevelEditorBhv::SaveConfirmation(const std::string& levelName, bool written) const {
    std::string text = written ? "Saved " + levelName : "Nothing written to " + levelName;
    if (written && KeepsPlayState()) {
        text += " without play's changes to its moving things";
    }
    if (!mUnkeptEdits.empty()) {
        text += "; not kept: " + ListFirstNames(mUnkeptEdits);
    }
    return text;
}

// Saved, but a thing whose place "Lvl_Sources" does not cover comes back at its
// prefab's place: the designer must hear of it now, not at the next load.
void EdLevelEditorBhv::WarnOfIncompleteThings(const Prefab& level) const {
    const std::vector<std::string> incomplete = FindThingsSavedIncomplete(level, Sources());
    if (incomplete.empty()) {
        return;
    }
    const std::string names = ListFirstNames(incomplete);
    const std::string message = level.Name + " saved, but " + names + " will load with their prefab's values: \"" +
                                std::string(EdPalMainBhv::SourcesPrefab) +
                                "\" has no entry for them, or lists a component they lack";
    std::cerr << message << '\n';
    if (gEdRoot != nullptr) {
        gEdRoot->ShowMessageBox({"OK"}, message, nullptr);
    }
}

void EdLevelEditorBhv::AskSaveAndSwitch(int offset) {
    // An added object no file keeps goes with the switch: the designer is asked first.
    if (!HoldsUnsavedWork() || gEdRoot == nullptr) {
        OnSaveAnswer(offset, "No");
        return;
    }
    gEdRoot->ShowMessageBox({"Yes", "No", "Cancel"}, "Save changes?", [offset](const std::string& answer) {
        if (gEditorState != nullptr && gEditorState->LevelEditor != nullptr) {
            gEditorState->LevelEditor->OnSaveAnswer(offset, answer);
        }
    });
}

void EdLevelEditorBhv::OnSaveAnswer(int offset, const std::string& answer) {
    if (answer == "Cancel") {
        return;
    }
    if (answer == "Yes") {
        SaveLevel(gCurrentLevelName);
        // A failed save must not be followed by a switch that throws the edits away.
        if (Dirty != 0) {
            return;
        }
    }
    if (gLevelList == nullptr || gGameplayScreen == nullptr) {
        return;
    }
    const LevelDataCmp* current = gLevelList->FindLevel(gCurrentLevelName);
    const int index = (current != nullptr ? current->Number : 0) + offset - 1;
    if (index < 0 || index >= static_cast<int>(gLevelList->Levels.size()) ||
        gLevelList->Levels[static_cast<size_t>(index)] == nullptr) {
        return;
    }
    gGameplayScreen->LoadLevel(gLevelList->Levels[static_cast<size_t>(index)]);
    if (gEditorState != nullptr) {
        gEditorState->SelectObject(gGameplayScreen->Owner);
        gEditorState->InsertParent = gGameplayScreen->Owner;
    }
}

bool EdLevelEditorBhv::HoldsThing(const GameObject* object) {
    const GameObject* level = FindEditedLevel();
    return level != nullptr && object != nullptr && object->Thing != nullptr && object->PendingDestroy == 0 &&
           object->Parent != nullptr && object->Parent->Parent == level;
}

const GameObject* EdLevelEditorBhv::FindThingHolding(const GameObject* object) {
    for (; object != nullptr; object = object->Parent) {
        if (HoldsThing(object)) {
            return object;
        }
    }
    return nullptr;
}

void EdLevelEditorBhv::OnThingValueEdited(const GameObject& object, const IEditable& component,
                                          const std::string& property) {
    const bool thing = HoldsThing(&object);
    if (thing && IsKeptByLevel(object, component, property, Sources())) {
        PushHistory();
        return;
    }
    const std::string typeName = gPrefabManager != nullptr ? gPrefabManager->GetComponentTypeName(&component) : "";
    // The level rebuilds a thing's parts from its prefab: none of their values is kept.
    NameUnkept(object, typeName + "." + property + " of", thing ? NotListedReason() : OnlyListedValuesReason());
}

void EdLevelEditorBhv::OnThingRenamed(const GameObject& object) {
    if (HoldsThing(&object)) {
        PushHistory();
    } else {
        OnUnkeptChange(object, "Name of");
    }
}

void EdLevelEditorBhv::OnUnkeptChange(const GameObject& object, const std::string& change) {
    NameUnkept(object, change, OnlyListedValuesReason());
}

void EdLevelEditorBhv::OnUnkeptAddition(const GameObject& object) {
    const GameObject* parent = object.Parent;
    if (parent == nullptr) {
        return;
    }
    const std::string what = ObjectName(object) + " added to";
    if (!IsLevelGroup(parent)) {
        OnUnkeptChange(*parent, what);
        return;
    }
    NoteUnkept(what + " " + ObjectName(*parent), NotAThingReason(object, Sources()));
    mHoldsUnkeptAddition = true;
    mUndoTakesBackUnkept = true;
}

bool EdLevelEditorBhv::HoldsUnsavedWork() const {
    return Dirty != 0 || mHoldsUnkeptAddition;
}

void EdLevelEditorBhv::NameUnkept(const GameObject& object, const std::string& change, const std::string& reason) {
    if (const GameObject* thing = FindThingHolding(&object)) {
        NoteUnkept(change + " " + NameInLevel(object, *thing), reason);
        mUndoTakesBackUnkept = mUndoTakesBackUnkept || !KeepsPlayState() || !IsInMutableGroup(thing);
    }
}

// Named at once, and again by the next save; a restore rebuilds the things without it.
void EdLevelEditorBhv::NoteUnkept(const std::string& what, const std::string& reason) {
    ShowEditorNotice(what + " is not kept by the level: " + reason);
    if (std::find(mUnkeptEdits.begin(), mUnkeptEdits.end(), what) == mUnkeptEdits.end()) {
        mUnkeptEdits.push_back(what);
    }
}

void EdLevelEditorBhv::ForgetUnkept() {
    mUnkeptEdits.clear();
    mHoldsUnkeptAddition = false;
    mUndoTakesBackUnkept = false;
}

bool EdLevelEditorBhv::MayEdit(const GameObject& object) const {
    if (!KeepsPlayState() || !IsInMutableGroup(&object)) {
        return true;
    }
    ShowEditorNotice(kWaitForF2);
    return false;
}

bool EdLevelEditorBhv::MayEditValue(const GameObject& object, const IEditable& component,
                                    const std::string& property) const {
    return !HoldsThing(&object) || !IsKeptByLevel(object, component, property, Sources()) || MayEdit(object);
}

bool EdLevelEditorBhv::MayEditAll(const std::vector<GameObject*>& objects) const {
    return std::all_of(objects.begin(), objects.end(), [this](const GameObject* object) { return MayEdit(*object); });
}

// Alt+S, the play-test's F1 and F2, and Ctrl+Alt+Z and Ctrl+Shift+Z (which repeat while
// held), each with the modifiers it was struck with.
void EdLevelEditorBhv::TakeHistoryStroke(const KeyStroke& stroke) {
    if (gEditorState == nullptr) {
        return;
    }
    EditorState& state = *gEditorState;
    if (EdInput::IsPress(stroke, Key::S) && stroke.Alt) {
        SaveOnKeys();
    } else if (EdInput::IsPress(stroke, Key::F1)) {
        StartPlayTest();
    } else if (EdInput::IsPress(stroke, Key::F2) && state.KeepPlayState != 0) {
        state.KeepPlayState = 0;
        RestoreHistory(mHistoryIndex);
    } else if (stroke.Key == KeyCode(Key::Z) && stroke.Ctrl) {
        if (stroke.Alt && !stroke.Shift) {
            // What the level does not keep goes first, alone: the kept edit before it
            // is the next undo's.
            RestoreHistory(mUndoTakesBackUnkept ? mHistoryIndex : mHistoryIndex - 1);
        } else if (stroke.Shift && !stroke.Alt) {
            RestoreHistory(mHistoryIndex + 1);
        }
    }
}

void EdLevelEditorBhv::StartPlayTest() {
    EditorState& state = *gEditorState;
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->Owner->InputEnabled = 1;
        gGameplayScreen->Owner->UpdateEnabled = 1;
        gGameplayScreen->ShowEditorIcons(false);
    }
    // Shown again at the next entry into edit mode.
    if (state.MainPalette != nullptr) {
        state.MainPalette->ShowPalettes();
    }
    state.IsEditing = 0;
    state.KeepPlayState = 1;
}
