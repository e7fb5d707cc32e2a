#include "fx/Pcl_EmitOnceBhv.h"

#include "fx/EmitterRequests.h"
#include "fx/ParticleSpawning.h"
#include "object/GameObject.h"

Pcl_EmitOnceBhv::Pcl_EmitOnceBhv() {
    RegisterProperty(&EmitCount, "EmitCount");
    RegisterProperty(&ParticlePrefab, kParticlePrefabProperty);
}

void Pcl_EmitOnceBhv::Update() {
    if (Owner->Parent != nullptr) {
        const Vector2 pos = Owner->GetPos();
        for (int32_t i = 0; i < EmitCount; ++i) {
            if (SpawnParticle(ParticlePrefab, pos, *Owner->Parent) == nullptr) {
                break;  // no such prefab
            }
        }
    }
    Owner->Destroy();
}
