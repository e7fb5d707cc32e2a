#pragma once

// Installs what lower layers need to know of higher ones (shortcut casters, transform
// hooks, the sprites a sheet reload keeps, the physics view, the cursors). The
// application calls it at start-up; so do tests that build objects without one.
void InstallRuntimeTypes();
