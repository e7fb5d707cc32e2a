#pragma once

#include <functional>
#include <string>

// Renaming or removing a prefab that the game's code builds by name, that a level list
// names as a level, or that other prefabs auto-create, leaves them asking for a prefab that is not there, so the
// designer sees those users before it happens.
// Runs change at once when nothing uses the prefab (or there is no message box); else
// only when the designer presses verb ("Rename", "Remove") in the message box that
// names them. The change must find its prefab again by name: the answer may come after
// the prefab went.
void ConfirmChangeOfUsedPrefab(const std::string& prefabName, const std::string& verb, std::function<void()> change);
