#include "game/GameEffects.h"

#include "audio/CueManagerBhv.h"
#include "fx/ParticleManagerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"

void PlayGameCue(const std::string& name) {
    if (gCueManager != nullptr) {
        gCueManager->PlayCue(name);
    }
}

GameObject* SpawnGameParticle(const std::string& prefabName, Vector2 worldPos) {
    return gParticleManager != nullptr ? gParticleManager->Spawn(prefabName, worldPos) : nullptr;
}

GameObject* BuildChildFromPrefab(const std::string& prefabName, GameObject& parent) {
    if (gPrefabManager == nullptr || gPrefabManager->FindPrefab(prefabName) == nullptr) {
        return nullptr;
    }
    auto* object = new GameObject(prefabName);
    parent.AddChild(object);
    return object;
}

GameObject* AddToLevelOrDiscard(GameObject* object) {
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->AddToLevel(object);
    }
    if (object->Parent == nullptr) {
        delete object;
        return nullptr;
    }
    return object;
}
