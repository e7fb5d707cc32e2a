#include "game/enemies/En_PacmanSpawnerBhv.h"

#include <optional>

#include "game/GameEffects.h"
#include "game/enemies/Spawning.h"
#include "game/screens/GameplayScreenBhv.h"

namespace {}  // namespace

En_PacmanSpawnerBhv::En_PacmanSpawnerBhv() {
    RegisterProperty(&EnemyStartFreq, "EnemyStartFreq");
    RegisterProperty(&EnemyFreqIncrement, "EnemyFreqIncrement");
    RegisterProperty(&BorderMargin, "BorderMargin");
    RegisterProperty(&PlayerAvoidRadius, "PlayerAvoidRadius");
    RegisterProperty(&IncrementPeriod, "IncrementPeriod");
    RegisterProperty(&PillStartFreq, "PillStartFreq");
    RegisterProperty(&PillFreqIncrement, "PillFreqIncrement");
    RegisterProperty(&PillFirstInterval, "PillFirstInterval");
}

void En_PacmanSpawnerBhv::Update() {
    if (mStarted || !IsRoundActive()) {
        return;
    }
    mEnemyFrequency = EnemyStartFreq;
    mPillFrequency = PillStartFreq;
    mPillInterval = PillFirstInterval;
    FindOrCreateCoroutine(&En_PacmanSpawnerBhv::EnemyCoroutine)->Start();
    FindOrCreateCoroutine(&En_PacmanSpawnerBhv::PillCoroutine)->Start();
    FindOrCreateCoroutine(&En_PacmanSpawnerBhv::IncrementCoroutine)->Start();
    mStarted = true;
}

CoCommand En_PacmanSpawnerBhv::EnemyCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    return StepAtRate(step, mEnemyFrequency, IncrementPeriod, [this] {
        if (!IsRoundActive()) {
            return;
        }
        if (const std::optional<Vector2> pos = PickSpawnPosition(BorderMargin, PlayerAvoidRadius)) {
            SpawnIntoLevel("En_ChaserSpawn", *pos);
        }
    });
}

CoCommand En_PacmanSpawnerBhv::PillCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return CoWaitSeconds(mPillInterval);
        default:
            if (IsRoundActive()) {
                // After a wait that only rechecked a rate of 0, no pill is due.
                if (!mPillRateRecheck) {
                    const std::optional<Vector2> pos = PickSpawnPosition(BorderMargin, PlayerAvoidRadius);
                    if (pos && SpawnIntoLevel("Pkup_Pill", *pos)) {
                        PlayGameCue("PillSpawn");
                    }
                }
                mPillRateRecheck = mPillFrequency <= 0.0f;
                mPillInterval = mPillRateRecheck ? IncrementPeriod : 1.0f / mPillFrequency;
            }
            return CoRestart();
    }
}

CoCommand En_PacmanSpawnerBhv::IncrementCoroutine(int step) {
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
