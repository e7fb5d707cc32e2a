#pragma once

#include <string>

#include "object/Behavior.h"
#include "object/Vector2.h"

class GameObject;

// Spawns effect particles (bullet hits, enemy deaths) as children of its object: the
// one way gameplay creates them.
class ParticleManagerBhv : public Behavior {
public:
    // Clears gParticleManager when it names this instance.
    ~ParticleManagerBhv() override;

    // Becomes gParticleManager.
    void Start() override;

    // The particle built from the prefab at a world position; null when the name is no
    // prefab.
    GameObject* Spawn(const std::string& prefabName, Vector2 worldPos);
};

extern ParticleManagerBhv* gParticleManager;
