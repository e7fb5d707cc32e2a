#pragma once

// Whether the editor is in edit mode, for the screens that ignore their keys while it
// is. The editor installs the query; without one the game is never in edit mode.
extern bool (*gEditModeQuery)();

inline bool IsEditMode() {
    return gEditModeQuery != nullptr && gEditModeQuery();
}
