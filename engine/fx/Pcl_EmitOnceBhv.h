#pragma once

#include <cstdint>
#include <string>

#include "object/Behavior.h"

// Emits a burst of particles beside its object in its first update, then destroys its
// object. Particles become siblings of the object; without a parent it emits nothing.
class Pcl_EmitOnceBhv : public Behavior {
public:
    Pcl_EmitOnceBhv();

    void Update() override;

private:
    int32_t EmitCount = 1;
    std::string ParticlePrefab;
};
