#pragma once

#include <functional>

// What the gameplay screen asks of the level editor. The game never includes the
// editor: the editor fills these in when it starts and empties them when it goes. An
// empty entry answers as if there were no editor (not editing, nothing unsaved).
struct EditorLink {
    // The level editor exists and holds unsaved edits.
    std::function<bool()> HasUnsavedEdits;
    // The level editor exists: its undo history starts afresh with the loaded level.
    std::function<void()> ResetHistory;
    // Ends a play-test: the editor restores the level from its history.
    std::function<void()> ReturnToEditor;
};

extern EditorLink gEditorLink;

// Edit mode is on / an editor field, dialog or tool has the keyboard; read from the
// editor state's published flags.
bool EditorIsEditing();
bool EditorHasKeyboard();
// Either: the keys are the editor's, and the map and its icons take none.
bool EditorTakesKeys();
bool EditorHasUnsavedEdits();
