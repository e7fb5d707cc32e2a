#include "game/enemies/En_SurvivalSpawnerBhv.h"

#include <optional>

#include "game/GameEffects.h"
#include "game/enemies/Spawning.h"
#include "game/pickups/Pkup_WeaponBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/RandomManager.h"

namespace {

// By the index of the enemy weights.
const char* const kEnemySpawns[] = {"En_ChaserSpawn", "En_AntSpawn", "En_AntSackSpawn", "En_CentipedeShortSpawn"};

}  // namespace

En_SurvivalSpawnerBhv::En_SurvivalSpawnerBhv() {
    RegisterProperty(&EnemyStartFreq, "EnemyStartFreq");
    RegisterProperty(&EnemyFreqIncrement, "EnemyFreqIncrement");
    RegisterProperty(&BorderMargin, "BorderMargin");
    RegisterProperty(&PlayerAvoidRadius, "PlayerAvoidRadius");
    RegisterProperty(&IncrementPeriod, "IncrementPeriod");
    RegisterProperty(&PillStartFreq, "PillStartFreq");
    RegisterProperty(&PillFreqIncrement, "PillFreqIncrement");
    RegisterProperty(&EnChaserOdds, "EnChaserOdds");
    RegisterProperty(&EnAntOdds, "EnAntOdds");
    RegisterProperty(&EnSackOdds, "EnSackOdds");
    RegisterProperty(&EnCentipedeOdds, "EnCentipedeOdds");
    RegisterProperty(&PkupPillOdds, "PkupPillOdds");
    RegisterProperty(&PkupGunOdds, "PkupGunOdds");
    RegisterProperty(&PkupAmmo, "PkupAmmo");
}

void En_SurvivalSpawnerBhv::Start() {
    mEnemyFrequency = EnemyStartFreq;
    mPillFrequency = PillStartFreq;
    FindOrCreateCoroutine(&En_SurvivalSpawnerBhv::EnemyCoroutine)->Start();
    FindOrCreateCoroutine(&En_SurvivalSpawnerBhv::PickupCoroutine)->Start();
    FindOrCreateCoroutine(&En_SurvivalSpawnerBhv::IncrementCoroutine)->Start();
}

CoCommand En_SurvivalSpawnerBhv::EnemyCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    return StepAtRate(step, mEnemyFrequency, IncrementPeriod, [this] { SpawnEnemy(); });
}

CoCommand En_SurvivalSpawnerBhv::PickupCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    return StepAtRate(step, mPillFrequency, IncrementPeriod, [this] { SpawnPickup(); });
}

void En_SurvivalSpawnerBhv::SpawnEnemy() const {
    if (!IsRoundActive() || gRandomManager == nullptr) {
        return;
    }
    if (const std::optional<Vector2> pos = PickSpawnPosition(BorderMargin, PlayerAvoidRadius)) {
        const int kind = gRandomManager->ChooseWeighted({EnChaserOdds, EnAntOdds, EnSackOdds, EnCentipedeOdds});
        SpawnIntoLevel(kEnemySpawns[kind], *pos);
    }
}

void En_SurvivalSpawnerBhv::SpawnPickup() const {
    if (!IsRoundActive() || gRandomManager == nullptr) {
        return;
    }
    const std::optional<Vector2> pos = PickSpawnPosition(BorderMargin, PlayerAvoidRadius);
    if (!pos) {
        return;
    }
    const bool pill = gRandomManager->ChooseWeighted({PkupGunOdds, PkupPillOdds}) == 1;
    const int32_t ammo = PkupAmmo;
    const bool spawned =
        pill ? SpawnIntoLevel("Pkup_Pill", *pos) : SpawnIntoLevel("Pkup_Shotgun", *pos, [ammo](GameObject& gun) {
            if (auto* offer = gun.GetComponent<Pkup_WeaponBhv>()) {
                offer->SetAmmoCount(ammo);
            }
        });
    if (spawned) {
        PlayGameCue("PillSpawn");
    }
}

CoCommand En_SurvivalSpawnerBhv::IncrementCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return CoWaitSeconds(IncrementPeriod);
        default:
            if (IsRoundActive()) {
                mEnemyFrequency += EnemyFreqIncrement;
                mPillFrequency += PillFreqIncrement;
            }
            return CoRestart();
    }
}
