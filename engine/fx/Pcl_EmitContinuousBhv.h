#pragma once

#include <cstdint>
#include <string>

#include "object/Behavior.h"

// Emits particles beside its object at a steady rate for as long as it lives. A long
// frame emits every particle that is due, all at the object's current position.
// Particles become siblings of the object; without a parent, or without the prefab,
// nothing happens and no time is counted.
class Pcl_EmitContinuousBhv : public Behavior {
public:
    Pcl_EmitContinuousBhv();

    void Update() override;

private:
    std::string ParticlePrefab;
    float ParticlesPerSec = 10.0f;
    int32_t EmittedCount = 0;
    float ElapsedTime = 0.0f;  // seconds
};
