#pragma once

// Lets the application reach the editor: its state is made first and deleted last,
// each pass's message pump ends with the editor's mouse and keyboard capture, and the
// program ends only when the editor lets it. Called before the application is made.
void InstallEditorHooks();
