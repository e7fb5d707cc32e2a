#include "editor/palettes/ListPaletteSupport.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "object/Prefab.h"

namespace ListPalette {

std::vector<EdListItemBhv*> FindRows(const GameObject* palette, const char* skip) {
    std::vector<EdListItemBhv*> rows;
    if (palette == nullptr) {
        return rows;
    }
    for (const GameObject* child : palette->Children) {
        if (child->PrefabName != "EdListItem" || (skip != nullptr && child->Name == skip)) {
            continue;
        }
        if (auto* row = child->GetComponent<EdListItemBhv>()) {
            rows.push_back(row);
        }
    }
    return rows;
}

bool MayChangeEntriesOf(const Prefab* owner) {
    if (owner == nullptr || gEditorState == nullptr || gEditorState->LevelEditor == nullptr ||
        owner->Name != gCurrentLevelName) {
        return true;
    }
    ShowEditorNotice(owner->Name + " is the level being edited: change its things in the level");
    return false;
}

EdLevelEditorBhv* LevelEditor() {
    return gEditorState != nullptr ? gEditorState->LevelEditor : nullptr;
}

bool MayChange(const GameObject& object) {
    const EdLevelEditorBhv* editor = LevelEditor();
    return editor == nullptr || editor->MayEdit(object);
}

bool IsLevelOrGroup(const GameObject* object) {
    const GameObject* level = FindEditedLevel();
    return level != nullptr && object != nullptr && (object == level || object->Parent == level);
}

bool MayRename(const GameObject& object) {
    if (!IsLevelOrGroup(&object)) {
        return true;
    }
    ShowEditorNotice("Cannot rename " + object.Name + ": the game finds the level and its groups by name");
    return false;
}

void ReportUnkeptChange(const GameObject& object, const std::string& change) {
    if (EdLevelEditorBhv* editor = LevelEditor()) {
        editor->OnUnkeptChange(object, change);
    }
}

void Refresh(IEdUiElement* element) {
    if (element != nullptr) {
        const ::Rect r = element->Rect;
        element->SetRect(r.X, r.Y, r.Width, r.Height);
    }
}

void ShowRow(EdListItemBhv* row, const std::string& label, bool selected) {
    if (row != nullptr) {
        row->Label = label;
        row->IsMarked = selected ? 1 : 0;
        Refresh(row);
    }
}

void RefreshScrollButtons(EdButtonBhv* up, EdButtonBhv* down, int scrollOffset, bool atEnd) {
    if (up != nullptr) {
        up->IsGrayedOut = scrollOffset == 0;
        Refresh(up);
    }
    if (down != nullptr) {
        down->IsGrayedOut = atEnd;
        Refresh(down);
    }
}

int LastScrollOffset(int count, int rows) {
    return std::max(count - rows + 1, 0);
}

void ReportSaveFailure(const std::string& what) {
    const std::string message = "Save failed: " + what;
    std::cerr << message << '\n';
    ShowEditorNotice(message);
    if (gEdRoot != nullptr) {
        gEdRoot->ShowMessageBox({"OK"}, message, nullptr);
    }
}

namespace {

// "Exit", "Exit and Wall", "3 prefabs".
std::string NamePrefabs(const std::vector<std::string>& names) {
    switch (names.size()) {
        case 1: return names[0];
        case 2: return names[0] + " and " + names[1];
        default: return std::to_string(names.size()) + " prefabs";
    }
}

}  // namespace

void ReportSaved(const std::vector<std::string>& names, const std::vector<std::string>& removed) {
    std::string text = names.empty() ? "" : "Saved " + NamePrefabs(names);
    if (!removed.empty()) {
        text += (text.empty() ? "Removed " : "; removed ") + NamePrefabs(removed);
    }
    if (!text.empty()) {
        ShowEditorNotice(text);
    }
}

}  // namespace ListPalette
