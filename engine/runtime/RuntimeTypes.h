#pragma once

// Installs what the object model needs to know of the runtime's own types (shortcut
// casters, transform and activity hooks). The application calls it at start-up; so
// do tests that build objects without an application.
void InstallRuntimeTypes();
