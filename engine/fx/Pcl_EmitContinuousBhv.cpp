#include "fx/Pcl_EmitContinuousBhv.h"

#include <limits>

#include "fx/EmitterRequests.h"
#include "fx/ParticleSpawning.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/PrefabManager.h"

namespace {

// How many particles are due after `elapsed` seconds, truncated; kept within int range
// so that absurd rates cannot overflow the conversion.
int32_t ParticlesDue(float elapsed, float perSecond) {
    const float due = elapsed * perSecond;
    if (!(due > 0.0f)) {
        return 0;
    }
    if (due >= static_cast<float>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(due);
}

}  // namespace

Pcl_EmitContinuousBhv::Pcl_EmitContinuousBhv() {
    RegisterProperty(&ParticlePrefab, kParticlePrefabProperty);
    RegisterProperty(&ParticlesPerSec, "ParticlesPerSec");
}

void Pcl_EmitContinuousBhv::Update() {
    GameObject* parent = Owner->Parent;
    if (parent == nullptr || gPrefabManager == nullptr || gPrefabManager->FindPrefab(ParticlePrefab) == nullptr) {
        return;
    }
    ElapsedTime += CurrentFrameDelta();
    const int32_t due = ParticlesDue(ElapsedTime, ParticlesPerSec);
    const Vector2 pos = Owner->GetPos();
    while (EmittedCount < due) {
        SpawnParticle(ParticlePrefab, pos, *parent);
        ++EmittedCount;
    }
}
