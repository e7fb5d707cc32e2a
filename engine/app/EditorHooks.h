#pragma once

// What the application calls of the editor, when the program has one; installed before
// the application is made. The editor's state is created before every manager and
// deleted after them all, each pass's pump step ends with the editor's mouse and
// keyboard capture, and the end of the program that the pump reports waits for the
// editor's leave: false keeps the loop running (the editor asks about unsaved work
// first, and posts the quit again once it may).
struct EditorHooks {
    void (*CreateState)() = nullptr;
    void (*DeleteState)() = nullptr;
    void (*AfterPump)() = nullptr;
    bool (*MayQuit)() = nullptr;
};

extern EditorHooks gEditorHooks;
