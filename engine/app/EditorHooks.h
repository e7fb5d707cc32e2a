#pragma once

// What the application calls of the editor, when the program has one; installed before
// the application is made. The editor's state is created before every manager and
// deleted after them all, and each pass's pump step ends with the editor's mouse and
// keyboard capture.
struct EditorHooks {
    void (*CreateState)() = nullptr;
    void (*DeleteState)() = nullptr;
    void (*AfterPump)() = nullptr;
};

extern EditorHooks gEditorHooks;
