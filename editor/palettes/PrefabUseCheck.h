#pragma once

#include <functional>
#include <string>

// Renaming or removing a prefab that other prefabs auto-create leaves them naming a
// prefab that is not there, so the designer sees those users before it happens.
// Runs change at once when no other loaded prefab auto-creates the prefab (or there is
// no message box); else only when the designer presses verb ("Rename", "Remove") in the
// message box that lists them. The change must find its prefab again by name: the
// answer may come after the prefab went.
void ConfirmChangeOfUsedPrefab(const std::string& prefabName, const std::string& verb, std::function<void()> change);
