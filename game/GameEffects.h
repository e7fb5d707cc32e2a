#pragma once

#include <string>

#include "object/Vector2.h"

class GameObject;

// Gameplay's sounds and effect particles, through the cue and particle managers;
// nothing happens while the manager is absent.
void PlayGameCue(const std::string& name);
// Null when there is no particle manager or no prefab of that name.
GameObject* SpawnGameParticle(const std::string& prefabName, Vector2 worldPos);

// A new object from the prefab, linked as the last child of parent; null, with nothing
// built, when the prefab does not exist.
GameObject* BuildChildFromPrefab(const std::string& prefabName, GameObject& parent);

// Hands an object spawned during play to the gameplay screen's level. An object the
// level does not take (no ThingCmp, or no screen) would belong to nobody: it is deleted
// and null is returned.
GameObject* AddToLevelOrDiscard(GameObject* object);
