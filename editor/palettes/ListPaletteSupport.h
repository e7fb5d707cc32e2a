#pragma once

#include <string>
#include <vector>

#include "editor/widgets/EdButtonBhv.h"
#include "object/Behavior.h"
#include "object/GameObject.h"

class EdLevelEditorBhv;
class EdListItemBhv;
class Prefab;
class IEdUiElement;

// What the three list palettes share: finding their widgets, refreshing rows in place
// and running a scroll body while its button is held.
namespace ListPalette {

template <class T>
T* FindWidget(const GameObject* parent, const char* name) {
    const GameObject* child = parent != nullptr ? parent->FindChild(name) : nullptr;
    return child != nullptr ? child->GetComponent<T>() : nullptr;
}

// The rows made from "EdListItem", in child order, except the one named skip.
std::vector<EdListItemBhv*> FindRows(const GameObject* palette, const char* skip = nullptr);

// Lays the element out again at its own rectangle so a changed label shows at once.
void Refresh(IEdUiElement* element);

// Shows one row's label and whether it is the selection.
void ShowRow(EdListItemBhv* row, const std::string& label, bool selected);

// Greys the scroll buttons: up at the top, down once nothing more follows.
void RefreshScrollButtons(EdButtonBhv* up, EdButtonBhv* down, int scrollOffset, bool atEnd);

// The last offset that still shows a row: the final page ends with one empty row.
int LastScrollOffset(int count, int rows);

// The entries of the level being edited are written from the level editor's history at
// each level save: changed in a list they would be saved over, or saved by "Save all"
// under a level that shows otherwise. False, and the designer is told, for that level.
bool MayChangeEntriesOf(const Prefab* owner);

// The editor's level editor; null outside the editor.
EdLevelEditorBhv* LevelEditor();
// Whether the object may change now: a moving thing of the level in play waits for F2,
// and the designer is told.
bool MayChange(const GameObject& object);
// The gameplay screen's "Level" or one of its groups: the level editor's history
// rebuilds the level's things into them.
bool IsLevelOrGroup(const GameObject* object);
// Whether the object may take another name: the game finds the level and its groups by
// their names, so those are refused, and the designer is told why.
bool MayRename(const GameObject& object);
// A thing of the level, or a part of one, changed in a way no level file keeps: named to
// the designer ("TintCmp added to" Wall).
void ReportUnkeptChange(const GameObject& object, const std::string& change);

// Reports a save failure in the message box, the main palette's notice row and on
// standard error.
void ReportSaveFailure(const std::string& what);
// Confirms a save in the main palette's notice row: "Saved Exit", "Saved Exit and
// Wall", "Saved 3 prefabs", and the files of removed prefabs that it deleted: "Removed
// ScratchP", "Saved Exit; removed 3 prefabs". Nothing when both lists are empty.
void ReportSaved(const std::vector<std::string>& names, const std::vector<std::string>& removed = {});

}  // namespace ListPalette
