#include "fx/ParticleManagerBhv.h"

#include "fx/ParticleSpawning.h"

ParticleManagerBhv* gParticleManager = nullptr;

ParticleManagerBhv::~ParticleManagerBhv() {
    if (gParticleManager == this) {
        gParticleManager = nullptr;
    }
}

void ParticleManagerBhv::Start() {
    gParticleManager = this;
}

GameObject* ParticleManagerBhv::Spawn(const std::string& prefabName, Vector2 worldPos) {
    return Owner != nullptr ? SpawnParticle(prefabName, worldPos, *Owner) : nullptr;
}
