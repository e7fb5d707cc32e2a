#include "editor/EditorState.h"

#include "object/GameObject.h"

EditorState* gEditorState = nullptr;

namespace {

void ForgetDeletedObject(GameObject* object) {
    if (gEditorState != nullptr) {
        gEditorState->ForgetObject(object);
    }
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
    if (SelectedObject == object) {
        SelectedObject = nullptr;
    }
    if (InsertParent == object) {
        InsertParent = nullptr;
    }
}

void CreateEditorState() {
    delete gEditorState;
    gEditorState = new EditorState();
    gEditorFlags = gEditorState;
    gObjectDeletingHook = ForgetDeletedObject;
}

void DeleteEditorState() {
    gObjectDeletingHook = nullptr;
    gEditorFlags = nullptr;
    delete gEditorState;
    gEditorState = nullptr;
}
