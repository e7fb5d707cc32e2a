#include "game/enemies/SpawnCloudBhv.h"

#include "fx/ParticleSpawning.h"
#include "game/GameEffects.h"
#include "game/enemies/En_CentipedeBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "platform/DebugPrint.h"

SpawnCloudBhv::SpawnCloudBhv() {
    RegisterProperty(&SpawnDelay, "SpawnDelay");
    RegisterProperty(&PrefabToSpawn, "PrefabToSpawn");
}

void SpawnCloudBhv::Start() {
    FindOrCreateCoroutine(&SpawnCloudBhv::SpawnCoroutine)->Start();
}

CoCommand SpawnCloudBhv::SpawnCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            // Started while the cloud is built, before it stands in the level.
            return CoNextTick();
        case 1:
            if (Owner->Parent != nullptr) {
                SpawnParticle("Pcl_SpawnPuff", Owner->GetPos(), *Owner->Parent);
            }
            return CoWaitSeconds(SpawnDelay);
        default:
            SpawnEnemy();
            Owner->Destroy();
            return CoStop();
    }
}

void SpawnCloudBhv::SpawnEnemy() const {
    if (gPrefabManager == nullptr || gPrefabManager->FindPrefab(PrefabToSpawn) == nullptr) {
        DebugPrint(("Spawn cloud " + Owner->Name + ": no prefab \"" + PrefabToSpawn + "\" to spawn\n").c_str());
        return;
    }
    auto* enemy = new GameObject(PrefabToSpawn);
    enemy->SetPos(Owner->GetPos());
    // A centipede built its segments where the prefab put it: build them again here.
    if (auto* centipede = enemy->GetComponent<En_CentipedeBhv>()) {
        centipede->Start();
    }
    if (AddToLevelOrDiscard(enemy) != nullptr) {
        PlayGameCue("EnemySpawn");
    }
}
