#pragma once

#include <cstdint>

// What the game and the engine may know of the editor without including it. The
// editor's state carries these flags and publishes them in gEditorFlags for its life;
// both links are null while the program has no editor.
struct EditorFlags {
    uint8_t IsEditing = 0;
    uint8_t MouseOverPalette = 0;  // the mouse is the editor's: no firing, no clicks
    uint8_t KeyboardCaptured = 0;  // a field, dialog or tool has the keyboard
    uint8_t ToolEngaged = 0;
    // Play-test state: history snapshots and restores leave the level's mutable groups
    // as play left them.
    uint8_t KeepPlayState = 1;
};

extern EditorFlags* gEditorFlags;
