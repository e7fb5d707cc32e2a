#include "editor/EditorState.h"

#include <algorithm>

#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "object/AutoCreate.h"
#include "object/GameObject.h"
#include "object/Prefab.h"

EditorState* gEditorState = nullptr;

namespace {

void ForgetDeletedObject(GameObject* object) {
    if (gEditorState != nullptr) {
        gEditorState->ForgetObject(object);
    }
}

void ForgetDeletedPrefab(const Prefab* prefab) {
    if (gEditorState != nullptr) {
        gEditorState->ForgetPrefab(prefab);
    }
}

void ForgetDeletedAutoCreate(const AutoCreate* entry) {
    if (gEditorState != nullptr) {
        gEditorState->ForgetAutoCreate(entry);
    }
}

// The sibling after the object in its parent; null for the last child and for an
// object that has left its parent. Children die last to first, so a dying parent's
// selected child finds no follower.
GameObject* FollowingSibling(const GameObject* object) {
    if (object->Parent == nullptr) {
        return nullptr;
    }
    const std::vector<GameObject*>& siblings = object->Parent->Children;
    auto it = std::find(siblings.begin(), siblings.end(), object);
    if (it == siblings.end() || ++it == siblings.end()) {
        return nullptr;
    }
    return *it;
}

}  // namespace

void EditorState::SelectObject(GameObject* object) {
    SelectedObject = object;
    SelectedPrefab = nullptr;
    SelectedAutoCreate = nullptr;
}

void EditorState::SelectPrefab(Prefab* prefab) {
    SelectedObject = nullptr;
    SelectedPrefab = prefab;
    SelectedAutoCreate = nullptr;
}

void EditorState::SelectAutoCreate(AutoCreate* entry) {
    SelectedObject = nullptr;
    SelectedPrefab = nullptr;
    SelectedAutoCreate = entry;
}

void EditorState::ForgetObject(const GameObject* object) {
    // The inspector and the object list move on to a neighbour rather than go blank.
    if (SelectedObject == object) {
        SelectedObject = FollowingSibling(object);
    }
    if (InsertParent == object) {
        InsertParent = object->Parent;
    }
    if (ShapeEditor != nullptr) {
        ShapeEditor->ForgetObject(object);
    }
    if (SpriteMover != nullptr) {
        SpriteMover->ForgetObject(object);
    }
    if (LevelEditor != nullptr) {
        LevelEditor->ForgetObject(object);
    }
}

void EditorState::ForgetPrefab(const Prefab* prefab) {
    if (SelectedPrefab == prefab) {
        SelectedPrefab = nullptr;
    }
}

void EditorState::ForgetAutoCreate(const AutoCreate* entry) {
    if (SelectedAutoCreate == entry) {
        SelectedAutoCreate = nullptr;
    }
}

void ShowEditorNotice(const std::string& text) {
    if (gEditorState != nullptr && gEditorState->MainPalette != nullptr) {
        gEditorState->MainPalette->ShowNotice(text);
    }
}

void CreateEditorState() {
    delete gEditorState;
    gEditorState = new EditorState();
    gEditorFlags = gEditorState;
    gObjectDeletingHook = ForgetDeletedObject;
    gPrefabDeletingHook = ForgetDeletedPrefab;
    gAutoCreateDeletingHook = ForgetDeletedAutoCreate;
}

void DeleteEditorState() {
    gObjectDeletingHook = nullptr;
    gPrefabDeletingHook = nullptr;
    gAutoCreateDeletingHook = nullptr;
    gEditorFlags = nullptr;
    delete gEditorState;
    gEditorState = nullptr;
}
