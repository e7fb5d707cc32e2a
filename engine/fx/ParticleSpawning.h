#pragma once

#include <string>

#include "object/Vector2.h"

class GameObject;

// Builds the particle prefab of that name at a world position and links it as the
// last child of parent, so it runs and draws after the parent's other children. The
// position is set before the link, as particles are placed in world units. Null, and
// nothing built, when there is no such prefab.
GameObject* SpawnParticle(const std::string& prefabName, Vector2 worldPos, GameObject& parent);
