#pragma once

// Installs the shortcut casters of the object model's own shortcut types (Pos2dCmp,
// ThingCmp, TweensBhv). The application calls it at start-up; so do tests.
void InstallObjectShortcutTypes();
