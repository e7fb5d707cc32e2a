#pragma once

// Lets the application reach the editor: its state is made first and deleted last,
// and each pass's message pump ends with the editor's mouse and keyboard capture.
// Called before the application is made.
void InstallEditorHooks();
