#pragma once

#include <string>

#include "object/Behavior.h"

// Where an enemy is about to appear: a puff, then after a delay the enemy itself,
// placed here and handed to the level.
class SpawnCloudBhv : public Behavior {
public:
    SpawnCloudBhv();

    void Start() override;

    CoCommand SpawnCoroutine(int step);

private:
    void SpawnEnemy() const;

    std::string PrefabToSpawn;
    float SpawnDelay = 1.0f;  // seconds
};
