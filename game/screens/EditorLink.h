#pragma once

#include <functional>

// What the gameplay screen asks of the level editor. The game never includes the
// editor: the editor fills these in when it starts and empties them when it goes. An
// empty entry answers as if there were no editor (not editing, nothing unsaved).
struct EditorLink {
    // Edit mode is on.
    std::function<bool()> IsEditing;
    // An editor text field has the keyboard.
    std::function<bool()> KeyboardCaptured;
    // The level editor exists and holds unsaved edits.
    std::function<bool()> HasUnsavedEdits;
    // The level editor exists: its undo history starts afresh with the loaded level.
    std::function<void()> ResetHistory;
    // Ends a play-test: the editor restores the level from its history.
    std::function<void()> ReturnToEditor;
};

extern EditorLink gEditorLink;

bool EditorIsEditing();
bool EditorHasKeyboard();
bool EditorHasUnsavedEdits();
