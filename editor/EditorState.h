#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "object/EditorLink.h"

class AutoCreate;
class EdDlgComponentPickerBhv;
class EdDlgPrefabPickerBhv;
class EdLevelEditorBhv;
class EdPalMainBhv;
class EdPalObjectEditBhv;
class EdShapeEditorBhv;
class EdSpriteMoverBhv;
class EdSpritePickerBhv;
class GameObject;
class IEditable;
class Prefab;

// The editor's selection, its tools and the mode flags that the game, the renderer
// and the message pump read (through gEditorFlags). One instance, made first and
// deleted last by the application through the program's hooks.
class EditorState : public EditorFlags {
public:
    EditorState() = default;
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;
    virtual ~EditorState() = default;

    // Exactly one of the three selections is set: choosing one clears the others.
    void SelectObject(GameObject* object);
    void SelectPrefab(Prefab* prefab);
    void SelectAutoCreate(AutoCreate* entry);
    bool IsSelected(const GameObject* object) const { return object != nullptr && object == SelectedObject; }
    bool IsSelected(const Prefab* prefab) const { return prefab != nullptr && prefab == SelectedPrefab; }
    bool IsSelected(const AutoCreate* entry) const { return entry != nullptr && entry == SelectedAutoCreate; }

    // An object is being deleted: no pointer of ours may outlive it. The selection
    // passes to the sibling that follows it and the insert parent to its parent.
    void ForgetObject(const GameObject* object);
    // A prefab or an auto-created entry is being deleted: the selection leaves it.
    void ForgetPrefab(const Prefab* prefab);
    void ForgetAutoCreate(const AutoCreate* entry);

    GameObject* SelectedObject = nullptr;
    Prefab* SelectedPrefab = nullptr;
    AutoCreate* SelectedAutoCreate = nullptr;
    GameObject* InsertParent = nullptr;
    std::string SelectedName;
    EdDlgComponentPickerBhv* ComponentPicker = nullptr;
    EdDlgPrefabPickerBhv* PrefabPicker = nullptr;
    EdPalObjectEditBhv* ObjectEditPalette = nullptr;
    EdPalMainBhv* MainPalette = nullptr;
    EdShapeEditorBhv* ShapeEditor = nullptr;
    EdSpritePickerBhv* SpritePicker = nullptr;
    EdSpriteMoverBhv* SpriteMover = nullptr;
    EdLevelEditorBhv* LevelEditor = nullptr;
    // Installed by the shape editor: begins editing the shapes of a fixture component.
    std::function<void(IEditable* fixture)> BeginShapeEditing;
};

extern EditorState* gEditorState;

// A message for the designer in the main palette's status row; nothing without one.
void ShowEditorNotice(const std::string& text);

// The application's editor hooks: the state's life and the object-deletion repair.
void CreateEditorState();
void DeleteEditorState();
