#include "fx/ParticleSpawning.h"

#include "object/GameObject.h"
#include "object/PrefabManager.h"

GameObject* SpawnParticle(const std::string& prefabName, Vector2 worldPos, GameObject& parent) {
    if (gPrefabManager == nullptr || gPrefabManager->FindPrefab(prefabName) == nullptr) {
        return nullptr;
    }
    auto* particle = new GameObject(prefabName);
    particle->SetPos(worldPos);
    parent.AddChild(particle);
    return particle;
}
